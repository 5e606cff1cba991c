#include "platform/linux/ShellGio.h"

#include "platform/FenetresX11.h"
#include "platform/linux/DemarrageDetache.h"
#include "platform/linux/ShellGioOutils.h"

#include <gio/gdesktopappinfo.h>

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

// ---------------------------------------------------------------------------------------
// GIO

namespace Gio {

QString Type_De_Contenu(const QString& chemin) {
    const QByteArray nom = QFile::encodeName(chemin);
    const Objet<GFile> fichier(g_file_new_for_path(nom.constData()));
    Erreur erreur;
    const Objet<GFileInfo> info(
        g_file_query_info(fichier.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                          G_FILE_QUERY_INFO_NONE, nullptr, erreur.adresse()));
    QString type;
    if (info) type = enQString(g_file_info_get_content_type(info.get()));
    if (type.isEmpty()) {
        const Texte devine(g_content_type_guess(nom.constData(), nullptr, 0, nullptr));
        type = enQString(devine.get());
    }
    return type.isEmpty() ? QStringLiteral("application/octet-stream") : type;
}

namespace {

void notePid(GDesktopAppInfo*, GPid pid, gpointer donnees) {
    auto* premier = static_cast<qint64*>(donnees);
    if (*premier <= 0) *premier = pid;
}

class ListeUris {
public:
    ListeUris(const QStringList& urisOuChemins, bool sontDesChemins) {
        for (const QString& element : urisOuChemins) {
            gchar* uri = nullptr;
            if (sontDesChemins) {
                const QByteArray absolu = QFile::encodeName(QFileInfo(element).absoluteFilePath());
                uri = g_filename_to_uri(absolu.constData(), nullptr, nullptr);
            } else {
                uri = g_strdup(element.toUtf8().constData());
            }
            if (uri) liste_ = g_list_append(liste_, uri);
        }
    }
    ~ListeUris() { g_list_free_full(liste_, g_free); }
    ListeUris(const ListeUris&) = delete;
    ListeUris& operator=(const ListeUris&) = delete;
    GList* liste() const { return liste_; }

private:
    GList* liste_ = nullptr;
};

class DescripteurNul {
public:
    DescripteurNul()
        : fd_(::open("/dev/null", O_RDWR | O_CLOEXEC)) {}
    ~DescripteurNul() {
        if (fd_ >= 0) ::close(fd_);
    }
    DescripteurNul(const DescripteurNul&) = delete;
    DescripteurNul& operator=(const DescripteurNul&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

qint64 Lancer_Application(GAppInfo* application, const QStringList& urisOuChemins,
                          bool sontDesChemins, Erreur* raison) {
    if (!application) return -1;
    const ListeUris uris(urisOuChemins, sontDesChemins);
    Erreur locale;
    Erreur& erreur = raison ? *raison : locale;
    if (G_IS_DESKTOP_APP_INFO(application)) {
        // The launched program gets none of our descriptors (GLib closes them) and
        // writes nowhere we would see.
        const DescripteurNul nul;
        qint64 pid = 0;
        const bool lance = g_desktop_app_info_launch_uris_as_manager_with_fds(
            G_DESKTOP_APP_INFO(application), uris.liste(), nullptr, G_SPAWN_SEARCH_PATH, nullptr,
            nullptr, &notePid, &pid, nul.fd(), nul.fd(), nul.fd(), erreur.adresse());
        return lance ? pid : -1;
    }
    return g_app_info_launch_uris(application, uris.liste(), nullptr, erreur.adresse()) ? 0 : -1;
}

} // namespace Gio

// ---------------------------------------------------------------------------------------
// ShellGio

namespace {

// What a text names: a file (a path, or a file: link turned into its path) or a link.
struct Cible {
    enum class Genre { Invalide, Fichier, Lien };
    Genre genre = Genre::Invalide;
    QString valeur; // the path of a file; a link as it was given
    QString schema; // of a link, in lower case
};

Cible analyser(const QString& cheminOuLien) {
    if (cheminOuLien.isEmpty() || cheminOuLien.contains(QChar(0))) return {};
    if (QFileInfo::exists(cheminOuLien)) return {Cible::Genre::Fichier, cheminOuLien, {}};
    const QByteArray texte = cheminOuLien.toUtf8();
    const Gio::Texte schema(g_uri_parse_scheme(texte.constData()));
    // One letter before ":" is a drive, not a scheme: a path that does not exist.
    if (!schema || std::strlen(schema.get()) < 2) return {Cible::Genre::Fichier, cheminOuLien, {}};
    const QString s = QString::fromUtf8(schema.get()).toLower();
    if (s == QLatin1String("file")) {
        const Gio::Texte chemin(g_filename_from_uri(texte.constData(), nullptr, nullptr));
        if (!chemin) return {};
        return {Cible::Genre::Fichier, QFile::decodeName(chemin.get()), {}};
    }
    return {Cible::Genre::Lien, cheminOuLien, s};
}

// The types that say nothing of a file's content: an application made the default for
// one of them would open every file the system cannot recognise, or every empty file.
bool typeSansContenu(const QString& type) {
    return type.isEmpty() || g_content_type_is_unknown(type.toUtf8().constData()) ||
           type == QLatin1String("application/x-zerosize");
}

QString iconeDe(GAppInfo* application) {
    GIcon* icone = g_app_info_get_icon(application); // borrowed
    if (!icone) return {};
    if (G_IS_THEMED_ICON(icone)) {
        const gchar* const* noms = g_themed_icon_get_names(G_THEMED_ICON(icone));
        return noms && *noms ? QString::fromUtf8(*noms) : QString();
    }
    if (G_IS_FILE_ICON(icone)) {
        const Gio::Texte chemin(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icone))));
        if (chemin) return QFile::decodeName(chemin.get());
    }
    return {};
}

// The applications of a GIO list that the desktop shows, each once.
QList<ApplicationProposee> proposees(GList* liste) {
    QList<ApplicationProposee> applications;
    QStringList vus;
    for (GList* l = liste; l; l = l->next) {
        auto* application = static_cast<GAppInfo*>(l->data);
        const QString id = Gio::enQString(g_app_info_get_id(application));
        if (id.isEmpty() || !g_app_info_should_show(application) || vus.contains(id)) continue;
        // An entry without a program line parses, yet nothing can be started from it.
        if (!g_app_info_get_commandline(application)) continue;
        vus << id;
        const gchar* fichier =
            G_IS_DESKTOP_APP_INFO(application)
                ? g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(application))
                : nullptr;
        applications.append({id, Gio::enQString(g_app_info_get_display_name(application)),
                             iconeDe(application),
                             Gio::enQString(g_app_info_get_description(application)),
                             fichier ? QFile::decodeName(fichier) : QString()});
    }
    return applications;
}

// Why an application could not be started: an application that runs in a terminal has
// the terminal started in its place, so a missing terminal is its own cause.
ResultatLancement causeDeLEchec(GDesktopAppInfo* application, Gio::Erreur& erreur) {
    if (g_desktop_app_info_get_boolean(application, "Terminal"))
        return ResultatLancement::TerminalIntrouvable;
    GError** e = erreur.adresse();
    if (*e && g_error_matches(*e, G_SPAWN_ERROR, G_SPAWN_ERROR_NOENT))
        return ResultatLancement::ApplicationIntrouvable;
    return ResultatLancement::Echec;
}

Gio::Objet<GDesktopAppInfo> applicationDe(const QString& id) {
    if (id.isEmpty()) return nullptr;
    return Gio::Objet<GDesktopAppInfo>(g_desktop_app_info_new(id.toUtf8().constData()));
}

} // namespace

ShellGio::ShellGio() = default;

ShellGio::~ShellGio() = default;

ResultatOuverture ShellGio::ouvrir(const QString& cheminOuLien, AffichageFenetre affichage,
                                   QWidget*) {
    const Cible cible = analyser(cheminOuLien);
    switch (cible.genre) {
    case Cible::Genre::Fichier:
        if (!QFileInfo::exists(cible.valeur)) return ResultatOuverture::Echec;
        return ouvrirFichier(cible.valeur, affichage);
    case Cible::Genre::Lien:
        return ouvrirLien(cible.valeur, cible.schema, affichage);
    case Cible::Genre::Invalide:
        break;
    }
    return ResultatOuverture::Echec;
}

ResultatOuverture ShellGio::ouvrirFichier(const QString& chemin, AffichageFenetre affichage) {
    const QFileInfo info(chemin);
    const QString type = Gio::Type_De_Contenu(chemin);
    if (info.isFile() && info.isExecutable() &&
        g_content_type_can_be_executable(type.toUtf8().constData())) {
        const ResultatDemarrage d = Demarrer_Detache(info.absoluteFilePath());
        if (d.reussi()) {
            suivreAffichage(d.pid, affichage);
            return ResultatOuverture::Reussi;
        }
        // The system will not run it (a document with the execute bit, say): it is a
        // document after all.
        if (d.erreur != ENOEXEC && d.erreur != EACCES) return ResultatOuverture::Echec;
    }
    const Gio::Objet<GAppInfo> application(
        g_app_info_get_default_for_type(type.toUtf8().constData(), FALSE));
    if (!application) return ResultatOuverture::AucuneAssociation;
    const qint64 pid = Gio::Lancer_Application(application.get(), {chemin}, true);
    if (pid < 0) return ResultatOuverture::Echec;
    suivreAffichage(pid, affichage);
    return ResultatOuverture::Reussi;
}

ResultatOuverture ShellGio::ouvrirLien(const QString& lien, const QString& schema,
                                       AffichageFenetre affichage) {
    const Gio::Objet<GAppInfo> application(
        g_app_info_get_default_for_uri_scheme(schema.toUtf8().constData()));
    if (!application) return ResultatOuverture::AucuneAssociation;
    const qint64 pid = Gio::Lancer_Application(application.get(), {lien}, false);
    if (pid < 0) return ResultatOuverture::Echec;
    suivreAffichage(pid, affichage);
    return ResultatOuverture::Reussi;
}

bool ShellGio::demarrer(const QString& programme, AffichageFenetre affichage) {
    const ResultatDemarrage d = Demarrer_Detache(programme);
    if (d.reussi()) suivreAffichage(d.pid, affichage);
    return d.reussi();
}

ChoixOuverture ShellGio::choixPour(const QString& cheminOuLien) {
    ChoixOuverture choix;
    const Cible cible = analyser(cheminOuLien);
    QString type;
    if (cible.genre == Cible::Genre::Lien) {
        choix.estLien = true;
        type = QStringLiteral("x-scheme-handler/") + cible.schema;
    } else if (cible.genre == Cible::Genre::Fichier) {
        choix.chemin = cible.valeur;
        type = Gio::Type_De_Contenu(cible.valeur);
    }
    if (type.isEmpty()) return choix;
    const Gio::ListeObjets liste(g_app_info_get_all_for_type(type.toUtf8().constData()));
    choix.declarees = proposees(liste.get());
    if (!typeSansContenu(type)) choix.type = type;
    return choix;
}

QList<ApplicationProposee> ShellGio::toutesLesApplications() {
    const Gio::ListeObjets liste(g_app_info_get_all());
    QList<ApplicationProposee> applications = proposees(liste.get());
    // French order whatever the session's locale: "Écran" among the e, case ignored.
    QCollator francais{QLocale(QLocale::French, QLocale::France)};
    francais.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(applications.begin(), applications.end(),
                     [&francais](const ApplicationProposee& a, const ApplicationProposee& b) {
                         return francais.compare(a.nom, b.nom) < 0;
                     });
    return applications;
}

ResultatLancement ShellGio::lancerEntreeBureau(const QString& entree, AffichageFenetre affichage) {
    if (entree.isEmpty() || entree.contains(QChar(0)))
        return ResultatLancement::ApplicationIntrouvable;
    // GIO refuses an entry that does not parse, is no application's, or whose program
    // (TryExec, or the first word of Exec) cannot be found.
    const Gio::Objet<GDesktopAppInfo> application(
        g_desktop_app_info_new_from_filename(QFile::encodeName(entree).constData()));
    if (!application) return ResultatLancement::ApplicationIntrouvable;
    // It loads without an Exec line, and then has nothing to start unless the session
    // bus starts it.
    const gchar* commande = g_app_info_get_commandline(G_APP_INFO(application.get()));
    if ((!commande || !*commande) &&
        !g_desktop_app_info_get_boolean(application.get(), "DBusActivatable"))
        return ResultatLancement::ApplicationIntrouvable;
    Gio::Erreur erreur;
    const qint64 pid = Gio::Lancer_Application(G_APP_INFO(application.get()), {}, true, &erreur);
    if (pid >= 0) {
        // Activated over the session bus, it has no process of ours to follow.
        if (pid > 0) suivreAffichage(pid, affichage);
        return ResultatLancement::Reussi;
    }
    return causeDeLEchec(application.get(), erreur);
}

ResultatLancement ShellGio::ouvrirAvecApplication(const QString& cheminOuLien,
                                                  const QString& idApplication) {
    const Cible cible = analyser(cheminOuLien);
    if (cible.genre == Cible::Genre::Invalide) return ResultatLancement::Echec;
    // Read again from its desktop entry: GIO no longer loads an entry whose program has
    // gone since the list was made.
    const Gio::Objet<GDesktopAppInfo> application = applicationDe(idApplication);
    if (!application) return ResultatLancement::ApplicationIntrouvable;
    Gio::Erreur erreur;
    if (Gio::Lancer_Application(G_APP_INFO(application.get()), {cible.valeur},
                                cible.genre == Cible::Genre::Fichier, &erreur) >= 0)
        return ResultatLancement::Reussi;
    return causeDeLEchec(application.get(), erreur);
}

bool ShellGio::definirParDefaut(const QString& type, const QString& idApplication) {
    if (typeSansContenu(type)) return false;
    const Gio::Objet<GDesktopAppInfo> application = applicationDe(idApplication);
    if (!application) return false;
    Gio::Erreur erreur;
    return g_app_info_set_as_default_for_type(G_APP_INFO(application.get()),
                                              type.toUtf8().constData(), erreur.adresse());
}

void ShellGio::suivreAffichage(qint64 pid, AffichageFenetre affichage) {
    switch (affichage) {
    case AffichageFenetre::Minimise:
        X11::Appliquer_Etat(pid, X11::Etat::Minimise, &suivis_);
        break;
    case AffichageFenetre::Maximise:
        X11::Appliquer_Etat(pid, X11::Etat::Maximise, &suivis_);
        break;
    case AffichageFenetre::Normal:
    case AffichageFenetre::Cache:
        // Nothing here can keep another program's window out of sight: it shows as it comes.
        break;
    }
}
