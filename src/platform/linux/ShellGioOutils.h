#pragma once

#include <gio/gio.h>

#include <QString>

#include <memory>

// Ownership of GLib and GIO values, so that no early return leaks one.
namespace Gio {

struct LiberationObjet {
    void operator()(gpointer objet) const {
        if (objet) g_object_unref(objet);
    }
};
template <typename T> using Objet = std::unique_ptr<T, LiberationObjet>;

struct LiberationTexte {
    void operator()(gchar* texte) const { g_free(texte); }
};
using Texte = std::unique_ptr<gchar, LiberationTexte>;

struct LiberationListeObjets {
    void operator()(GList* liste) const { g_list_free_full(liste, g_object_unref); }
};
using ListeObjets = std::unique_ptr<GList, LiberationListeObjets>;

// A GError slot that frees whatever the call put in it.
class Erreur {
public:
    Erreur() = default;
    ~Erreur() { g_clear_error(&erreur_); }
    Erreur(const Erreur&) = delete;
    Erreur& operator=(const Erreur&) = delete;
    GError** adresse() { return &erreur_; }
    explicit operator bool() const { return erreur_ != nullptr; }

private:
    GError* erreur_ = nullptr;
};

inline QString enQString(const gchar* texte) {
    return texte ? QString::fromUtf8(texte) : QString();
}

// The content type of a file: read from the file when it exists, guessed from its name
// otherwise. Never empty: an unknown type is the generic binary type.
QString Type_De_Contenu(const QString& chemin);

// Starts an application on the given files or links, its standard streams on /dev/null.
// Returns the id of the started process, 0 when the application was started without one
// (activated over the session bus), or -1 when it could not be started; the reason then
// goes to erreur when one is given.
qint64 Lancer_Application(GAppInfo* application, const QStringList& urisOuChemins,
                          bool sontDesChemins, Erreur* erreur = nullptr);

} // namespace Gio
