#pragma once

#include <QTextBrowser>
#include <QWidget>

#include <memory>

class FichierChm;
class QAction;

// Shows the pages of a compiled help file: every page, picture and style sheet comes
// out of the file, nothing from the disk or the network.
class NavigateurAide final : public QTextBrowser {
public:
    explicit NavigateurAide(QWidget* parent = nullptr);

    void definirFichier(std::shared_ptr<const FichierChm> fichier);
    const std::shared_ptr<const FichierChm>& fichier() const { return fichier_; }

    // "chm:///aide.htm" for the inner page "/aide.htm" (an anchor may follow).
    static QUrl adresse(const QString& page);
    static inline const QString Schema = QStringLiteral("chm");

    QVariant loadResource(int type, const QUrl& nom) override;

private:
    void suivreLien(const QUrl& lien);

    std::shared_ptr<const FichierChm> fichier_;
};

// The program's help viewer: the pages of the help file with back, forward and
// contents buttons. Esc closes it.
class frmAide final : public QWidget {
public:
    explicit frmAide(QWidget* parent = nullptr);

    // Shows a page of the file ("/parametres.htm") and brings the window to the front.
    void afficher(std::shared_ptr<const FichierChm> fichier, const QString& page);

    // The inner name of the page on screen, without its anchor.
    QString pageAffichee() const;

private:
    void afficherSommaire();

    NavigateurAide* navigateur_;
    QAction* precedent_;
    QAction* suivant_;
    QAction* sommaire_;
    bool place_ = false;
};
