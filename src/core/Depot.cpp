#include "core/Depot.h"

#include "core/IconesElements.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

std::optional<ElementPropose> deFichier(const QString& chemin) {
    const QFileInfo fichier(chemin);
    if (!fichier.exists()) return std::nullopt;
    ElementPropose element;
    element.chemin = fichier.absoluteFilePath();
    element.nom = fichier.fileName();
    if (fichier.isDir()) {
        element.type = 1;
    } else if (Est_Entree_Bureau(chemin)) {
        const EntreeBureau entree = Lire_Entree_Bureau(chemin);
        element.type = 0;
        if (!entree.nom.isEmpty()) element.nom = entree.nom;
    } else {
        element.type = fichier.isExecutable() ? 0 : 1;
    }
    return element;
}

std::optional<ElementPropose> deLien(const QUrl& lien) {
    if (lien.isLocalFile()) return deFichier(lien.toLocalFile());
    const QString schema = lien.scheme().toLower();
    ElementPropose element;
    if (schema == QLatin1String("http") || schema == QLatin1String("https") ||
        schema == QLatin1String("ftp")) {
        if (lien.host().isEmpty()) return std::nullopt;
        element.type = 2;
        element.chemin = lien.toString(QUrl::FullyEncoded);
        element.nom = lien.host();
    } else if (schema == QLatin1String("mailto")) {
        element.type = 3;
        element.chemin = lien.toString(QUrl::FullyDecoded);
        // The address alone, without the subject or other headers that may follow it.
        element.nom = lien.path();
        if (element.nom.isEmpty()) return std::nullopt;
    } else {
        return std::nullopt;
    }
    // A name is at most 50 characters in the editor.
    element.nom.truncate(50);
    return element;
}

} // namespace

std::optional<ElementPropose> Classer_Depot(const QMimeData& donnees) {
    if (donnees.hasUrls()) {
        const QList<QUrl> liens = donnees.urls();
        if (!liens.isEmpty()) return deLien(liens.first());
    }
    if (!donnees.hasText()) return std::nullopt;
    const QString texte = donnees.text().trimmed();
    if (texte.isEmpty() || texte.contains(QLatin1Char('\n'))) return std::nullopt;
    const QUrl lien(texte, QUrl::StrictMode);
    if (!lien.isValid() || lien.scheme().isEmpty() || lien.isLocalFile()) return std::nullopt;
    return deLien(lien);
}
