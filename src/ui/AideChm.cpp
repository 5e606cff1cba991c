#include "ui/AideChm.h"

#include "core/Services.h"
#include "ui/Cadre.h"
#include "ui/frmAide.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <chm_lib.h>

namespace {

// No page, picture or table of a help file comes near this; anything larger is a
// damaged file and is not read into memory.
constexpr quint64 TailleMaximale = 64ull * 1024 * 1024;

// Codes of the records of the "/#SYSTEM" table.
constexpr quint16 SystemePageParDefaut = 2;
constexpr quint16 SystemeTitre = 3;

quint32 lireMot32(const QByteArray& octets, qsizetype position) {
    const auto* p = reinterpret_cast<const uchar*>(octets.constData()) + position;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 lireMot16(const QByteArray& octets, qsizetype position) {
    const auto* p = reinterpret_cast<const uchar*>(octets.constData()) + position;
    return quint16(p[0] | p[1] << 8);
}

// A NUL-terminated text of a table; the end of the data ends it too.
QString texteA(const QByteArray& octets, qsizetype debut, qsizetype fin) {
    if (debut < 0 || debut >= fin) return {};
    qsizetype nul = octets.indexOf('\0', debut);
    if (nul < 0 || nul > fin) nul = fin;
    const QByteArray brut = octets.mid(debut, nul - debut);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texte = utf8(brut);
    // Files compiled elsewhere write these names in their Windows code page.
    if (utf8.hasError()) texte = QString::fromLatin1(brut);
    return texte;
}

} // namespace

void FichierChm::Fermeture::operator()(chmFile* fichier) const {
    if (fichier) chm_close(fichier);
}

FichierChm::FichierChm(QString chemin, chmFile* fichier)
    : chemin_(std::move(chemin))
    , fichier_(fichier) {}

FichierChm::~FichierChm() = default;

std::shared_ptr<const FichierChm> FichierChm::ouvrir(const QString& chemin) {
    if (!QFileInfo(chemin).isFile()) return nullptr;
    chmFile* ouvert = chm_open(QFile::encodeName(chemin).constData());
    if (!ouvert) return nullptr;
    std::shared_ptr<FichierChm> fichier(new FichierChm(chemin, ouvert));
    fichier->lireTables();
    return fichier;
}

std::optional<QByteArray> FichierChm::lire(const QString& nomInterne) const {
    if (nomInterne.isEmpty() || nomInterne.endsWith(QLatin1Char('/'))) return std::nullopt;
    const QByteArray nom = nomInterne.toUtf8();
    if (nom.contains('\0')) return std::nullopt;
    chmUnitInfo unite{};
    if (chm_resolve_object(fichier_.get(), nom.constData(), &unite) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (unite.length > TailleMaximale) return std::nullopt;
    QByteArray donnees(qsizetype(unite.length), Qt::Uninitialized);
    LONGUINT64 lus = 0;
    while (lus < unite.length) {
        const LONGINT64 n = chm_retrieve_object(fichier_.get(), &unite,
                                                reinterpret_cast<uchar*>(donnees.data()) + lus, lus,
                                                LONGINT64(unite.length - lus));
        if (n <= 0) return std::nullopt;
        lus += LONGUINT64(n);
    }
    return donnees;
}

bool FichierChm::contient(const QString& nomInterne) const {
    if (nomInterne.isEmpty() || nomInterne.endsWith(QLatin1Char('/'))) return false;
    const QByteArray nom = nomInterne.toUtf8();
    chmUnitInfo unite{};
    return !nom.contains('\0') &&
           chm_resolve_object(fichier_.get(), nom.constData(), &unite) == CHM_RESOLVE_SUCCESS;
}

QString FichierChm::page(qint32 numero) const {
    return pages_.value(quint32(numero));
}

// A page named by the file's tables. Compilers write it relative ("aide.htm"), with
// backslashes, with a "file.chm::" prefix, or as the absolute path it had on the
// machine that compiled it (chmcmd does); the last components that name an inner file
// are the page.
QString FichierChm::nomInterne(const QString& cible) const {
    QString nom = cible.trimmed();
    nom.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype prefixe = nom.indexOf(QLatin1String("::"));
    if (prefixe >= 0) nom = nom.mid(prefixe + 2);
    QString ancre;
    const qsizetype diese = nom.indexOf(QLatin1Char('#'));
    if (diese >= 0) {
        ancre = nom.mid(diese);
        nom.truncate(diese);
    }
    if (!nom.startsWith(QLatin1Char('/'))) nom.prepend(QLatin1Char('/'));
    while (!nom.isEmpty()) {
        if (contient(nom)) return nom + ancre;
        const qsizetype suivant = nom.indexOf(QLatin1Char('/'), 1);
        if (suivant < 0) break;
        nom = nom.mid(suivant);
    }
    return {};
}

void FichierChm::lireTables() {
    // "/#IVB": the byte length of the pairs that follow, then for each context number
    // the offset of its page's name in "/#STRINGS".
    const std::optional<QByteArray> contextes = lire(QStringLiteral("/#IVB"));
    const std::optional<QByteArray> chaines = lire(QStringLiteral("/#STRINGS"));
    if (contextes && chaines && contextes->size() >= 4) {
        const qsizetype fin =
            qMin<qsizetype>(contextes->size(), 4 + qsizetype(lireMot32(*contextes, 0)));
        for (qsizetype i = 4; i + 8 <= fin; i += 8) {
            const quint32 numero = lireMot32(*contextes, i);
            const quint32 position = lireMot32(*contextes, i + 4);
            if (pages_.contains(numero) || position >= quint32(chaines->size())) continue;
            const QString page = nomInterne(texteA(*chaines, qsizetype(position), chaines->size()));
            if (!page.isEmpty()) pages_.insert(numero, page);
        }
    }

    // "/#SYSTEM": a version, then records of a 16-bit code, a 16-bit length and data.
    const std::optional<QByteArray> systeme = lire(QStringLiteral("/#SYSTEM"));
    if (!systeme) return;
    for (qsizetype i = 4; i + 4 <= systeme->size();) {
        const quint16 code = lireMot16(*systeme, i);
        const qsizetype longueur = lireMot16(*systeme, i + 2);
        const qsizetype debut = i + 4;
        const qsizetype fin = qMin(debut + longueur, systeme->size());
        if (code == SystemePageParDefaut)
            pageParDefaut_ = nomInterne(texteA(*systeme, debut, fin));
        else if (code == SystemeTitre)
            titre_ = texteA(*systeme, debut, fin);
        i = debut + longueur;
    }
}

AideChm::AideChm() = default;

AideChm::~AideChm() {
    // A viewer shown over a window goes with that window; one without a parent is ours.
    if (fenetre_ && !fenetre_->parent()) delete fenetre_.data();
}

frmAide* AideChm::fenetre() const {
    return fenetre_;
}

bool AideChm::ouvrirRubrique(QWidget* proprietaire, const QString& fichierAide, int numero) {
    std::shared_ptr<const FichierChm> fichier = FichierChm::ouvrir(fichierAide);
    if (!fichier) return false;
    const QString page = numero == 0 ? fichier->pageParDefaut() : fichier->page(numero);
    if (page.isEmpty()) return false;
    // A file whose directory survived but whose content is damaged has nothing to show.
    if (!fichier->lire(page.section(QLatin1Char('#'), 0, 0))) return false;
    fenetrePour(proprietaire)->afficher(std::move(fichier), page);
    return true;
}

frmAide* AideChm::fenetrePour(QWidget* proprietaire) {
    QWidget* hote = proprietaire ? proprietaire->window() : nullptr;
    if (!fenetre_) {
        fenetre_ = new frmAide(hote);
    } else if (fenetre_->parentWidget() != hote) {
        // A modal dialog blocks every window but its own: the viewer follows the
        // window it is opened from, so that it stays usable over it.
        fenetre_->setParent(hote, fenetre_->windowFlags());
    }
    const bool dessus = hote && Est_Premier_Plan(hote);
    if (fenetre_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != dessus)
        fenetre_->setWindowFlag(Qt::WindowStaysOnTopHint, dessus);
    return fenetre_;
}
