#include "core/IconesElements.h"

#include "base/Fichiers.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPixmap>

namespace {

const QString Executable = QStringLiteral("application-x-executable");

// The application folder's pictures of each kind, for a theme that has none.
const QString ImageProgramme = QStringLiteral("icones/programme.ico");
const QString ImageDocument = QStringLiteral("icones/document.ico");
const QString ImageDossier = QStringLiteral("icones/dossier.ico");
const QString ImageLien = QStringLiteral("icones/internet.ico");
const QString ImageMail = QStringLiteral("icones/mail.ico");

// The largest picture of a file of several that a line of a list may draw (a line is
// 32 pixels high at 192 dpi): decoding the larger ones (often 256 pixels, compressed)
// cost more than all the others together.
constexpr int CoteUtile = 64;

// The pictures of a file, those larger than a line needs left undecoded when it holds
// smaller ones. None for a missing file, or one that is no picture: an icon made of it
// would draw nothing, where the next source would have drawn a picture.
QIcon iconeFichier(const QString& chemin) {
    if (chemin.isEmpty() || !Fichier_Existe(chemin)) return {};
    QImageReader lecteur(chemin);
    if (!lecteur.canRead()) return {};
    if (lecteur.imageCount() <= 1) return QIcon(chemin);
    QIcon icone;
    for (int i = 0; i < lecteur.imageCount() && lecteur.jumpToImage(i); ++i) {
        const QSize taille = lecteur.size();
        if (taille.isValid() && std::max(taille.width(), taille.height()) > CoteUtile) continue;
        const QImage image = lecteur.read();
        if (!image.isNull()) icone.addPixmap(QPixmap::fromImage(image));
    }
    return icone.isNull() ? QIcon(chemin) : icone;
}

// A desktop entry is small; a bigger file named so is not read whole.
constexpr qint64 TailleEntreeMaximum = 256 * 1024;

} // namespace

bool Est_Entree_Bureau(const QString& chemin) {
    return chemin.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive);
}

EntreeBureau Lire_Entree_Bureau(const QString& chemin) {
    EntreeBureau entree;
    QFile fichier(chemin);
    if (!Est_Entree_Bureau(chemin) || !fichier.open(QIODevice::ReadOnly) ||
        fichier.size() > TailleEntreeMaximum)
        return entree;
    const QList<QByteArray> lignes = fichier.readAll().split('\n');
    bool groupe = false;
    QString nomFrancais;
    for (const QByteArray& brute : lignes) {
        const QString ligne = QString::fromUtf8(brute).trimmed();
        if (ligne.startsWith(QLatin1Char('['))) {
            // Only the main group describes the entry; its actions come after it.
            if (groupe) break;
            groupe = ligne == QLatin1String("[Desktop Entry]");
            entree.valide = groupe;
            continue;
        }
        if (!groupe || ligne.startsWith(QLatin1Char('#'))) continue;
        const qsizetype egal = ligne.indexOf(QLatin1Char('='));
        if (egal <= 0) continue;
        const QString cle = ligne.left(egal).trimmed();
        const QString valeur = ligne.mid(egal + 1).trimmed();
        if (cle == QLatin1String("Name"))
            entree.nom = valeur;
        else if (cle == QLatin1String("Name[fr]") ||
                 (cle == QLatin1String("Name[fr_FR]") && nomFrancais.isEmpty()))
            nomFrancais = valeur;
        else if (cle == QLatin1String("Icon"))
            entree.icone = valeur;
    }
    if (!nomFrancais.isEmpty()) entree.nom = nomFrancais;
    return entree;
}

SourceIcone Source_Icone(const QString& chemin, const CodeStocke<TypeElement>& type,
                         const QString& dossierApplication) {
    SourceIcone source;
    if (type.est(TypeElement::LienInternet)) {
        source.nomsTheme = {QStringLiteral("internet-web-browser"),
                            QStringLiteral("applications-internet")};
        source.fichier = dossierApplication + ImageLien;
    } else if (type.est(TypeElement::Mail)) {
        source.nomsTheme = {QStringLiteral("internet-mail"), QStringLiteral("mail-message-new"),
                            QStringLiteral("mail-unread")};
        source.fichier = dossierApplication + ImageMail;
    } else if (type.est(TypeElement::Fichier)) {
        if (QFileInfo(chemin).isDir()) {
            source.nomsTheme = {QStringLiteral("folder")};
            source.fichier = dossierApplication + ImageDossier;
        } else {
            const QMimeType type = QMimeDatabase().mimeTypeForFile(chemin);
            source.nomsTheme = {type.iconName(), type.genericIconName(),
                                QStringLiteral("text-x-generic")};
            source.nomsTheme.removeDuplicates();
            source.fichier = dossierApplication + ImageDocument;
        }
    } else {
        // A program, and any type code the editor never writes.
        source.fichier = dossierApplication + ImageProgramme;
        if (Est_Entree_Bureau(chemin)) {
            const EntreeBureau entree = Lire_Entree_Bureau(chemin);
            // A picture of its own goes before the theme's; a missing one is no picture.
            if (QFileInfo(entree.icone).isAbsolute()) {
                if (Fichier_Existe(entree.icone)) source.propre = entree.icone;
            } else if (!entree.icone.isEmpty()) {
                source.nomsTheme << entree.icone;
            }
        }
        source.nomsTheme << Executable;
    }
    return source;
}

QIcon Charger_Icone(const SourceIcone& source) {
    if (QIcon propre = iconeFichier(source.propre); !propre.isNull()) return propre;
    for (const QString& nom : source.nomsTheme)
        if (!nom.isEmpty() && QIcon::hasThemeIcon(nom)) return QIcon::fromTheme(nom);
    return iconeFichier(source.fichier);
}

void Preparer_Icones() {
    QIcon::hasThemeIcon(Executable);
    QMimeDatabase().mimeTypeForFile(QStringLiteral("a.txt"), QMimeDatabase::MatchExtension);
}

QList<SourceIcone> Sources_Communes(const QString& dossierApplication) {
    // An empty path is no desktop entry: a program's picture is then the theme's generic one.
    return {Source_Icone(QString(), TypeElement::Programme, dossierApplication),
            Source_Icone(QString(), TypeElement::LienInternet, dossierApplication),
            Source_Icone(QString(), TypeElement::Mail, dossierApplication)};
}

QIcon Icone_Programme(const QString& dossierApplication) {
    return Charger_Icone(Source_Icone(QString(), TypeElement::Programme, dossierApplication));
}

QIcon Icone_Application(const QString& icone, const QIcon& generique) {
    if (icone.isEmpty()) return generique;
    if (QFileInfo(icone).isAbsolute()) {
        const QIcon propre = iconeFichier(icone);
        return propre.isNull() ? generique : propre;
    }
    return QIcon::fromTheme(icone, generique);
}
