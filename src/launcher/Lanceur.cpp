#include "launcher/Lanceur.h"
#include "base/Textes.h"

#include "base/Nombres.h"
#include "catalogue/Enregistrements.h"
#include "core/Contexte.h"
#include "core/Liens.h"
#include "core/Services.h"
#include "launcher/ListeProgrammes.h"
#include "launcher/frmDalvire.h"
#include "launcher/frmOuvrirAvec.h"
#include "platform/Messages.h"
#include "platform/Shell.h"

#include <QDateTime>
#include <QFileInfo>

#include <exception>

namespace {

using Type = CodeStocke<TypeElement>;

struct EchecVerification {
    QString premiere;
    QString seconde;
};

// A folder is a document too: the file manager opens it.
bool estDossier(const QString& chemin) {
    return !chemin.isEmpty() && QFileInfo(chemin).isDir();
}

// A program item may name an installed application by its desktop entry.
bool estEntreeBureau(const Type& type, const QString& chemin) {
    return type.est(TypeElement::Programme) &&
           chemin.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive);
}

// The check of the item by its type; true when it passes (or its type has none).
bool verifier(const Type& type, const QString& chemin, EchecVerification& echec) {
    if (type.est(TypeElement::Programme)) {
        echec = {QStringLiteral("Impossible de démarrer le programme sélectionné."),
                 QStringLiteral("Le programme n'existe pas.")};
        return Fichier_Existe(chemin);
    }
    if (type.est(TypeElement::Fichier)) {
        echec = {QStringLiteral("Impossible de démarrer le fichier sélectionné."),
                 QStringLiteral("Le fichier n'existe pas.")};
        return Fichier_Existe(chemin) || estDossier(chemin);
    }
    if (type.est(TypeElement::LienInternet)) {
        echec = {QStringLiteral("Impossible d'afficher la page Internet sélectionnée."),
                 QStringLiteral("L'adresse du site Internet ne semble pas une adresse valide.")};
        return Lien_Internet_Valide(chemin);
    }
    if (type.est(TypeElement::Mail)) {
        echec = {QStringLiteral("Impossible d'envoyer un e-mail à l'adresse sélectionnée."),
                 QStringLiteral("L'adresse de messagerie ne semble pas une adresse valide.")};
        return Adresse_Mail_Valide(chemin);
    }
    return true;
}

// The question when nothing opens the item, in the words of what it is: a web link or an
// e-mail address is no file.
QString Question_Sans_Application(const Type& type, const QString& chemin) {
    if (type.est(TypeElement::Mail) ||
        chemin.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QStringLiteral("Aucune application n'est associée à l'envoi d'e-mails.") +
               SautDeLigne +
               QStringLiteral("Voulez-vous choisir l'application qui ouvrira les adresses "
                              "e-mail ?");
    if (type.est(TypeElement::LienInternet))
        return QStringLiteral("Aucune application n'ouvre les liens Internet de ce type.") +
               SautDeLigne +
               QStringLiteral("Voulez-vous choisir l'application qui ouvrira ces liens ?");
    return QStringLiteral("Le fichier que vous voulez lancer n'est associé à aucune application.") +
           SautDeLigne +
           QStringLiteral("Voulez-vous ouvrir la boite de dialogue d'association de fichiers ?");
}

// The start itself, every failure of which is silent. True when something was started.
bool demarrer(Contexte& contexte, QWidget* proprietaire, const Type& type, const QString& chemin,
              AffichageFenetre affichage) {
    ServiceShell& shell = contexte.shell();
    try {
        // A folder that happens to end in "exe" could never be started as a program.
        if (chemin.right(3).toLower() == QLatin1String("exe") && !estDossier(chemin))
            return shell.demarrer(chemin, affichage);
        const ResultatOuverture ouverture = shell.ouvrir(chemin, affichage, proprietaire);
        if (ouverture != ResultatOuverture::AucuneAssociation)
            return ouverture == ResultatOuverture::Reussi;
        const ReponseMessage reponse =
            contexte.messages().afficher(Question_Sans_Application(type, chemin),
                                         IconeMessage::Question, BoutonsMessage::OuiNon);
        if (reponse == ReponseMessage::Oui) {
            frmOuvrirAvec choix(contexte, chemin, proprietaire);
            return choix.exec() == QDialog::Accepted;
        }
    } catch (const std::exception&) {
        // A start that fails says nothing; the window still slides back.
    }
    return false;
}

} // namespace

AffichageFenetre Affichage_Fenetre(const CodeStocke<ModeAffichage>& mode) {
    if (const std::optional<ModeAffichage> valeur = mode.valeur()) {
        switch (*valeur) {
        case ModeAffichage::Minimise:
            return AffichageFenetre::Minimise;
        case ModeAffichage::Normal:
            return AffichageFenetre::Normal;
        case ModeAffichage::Maximise:
            return AffichageFenetre::Maximise;
        }
    }
    // Codes that another tool wrote were once handed to the desktop, read as numbers, as
    // window show commands; those that asked for a maximised or a minimised window still
    // get one.
    switch (Valeur_Entiere_16(mode.texte())) {
    case static_cast<int>(ModeAffichage::Minimise):
        return AffichageFenetre::Minimise;
    case static_cast<int>(ModeAffichage::Maximise):
    case 3:
        return AffichageFenetre::Maximise;
    case 6:
    case 7:
    case 11:
        return AffichageFenetre::Minimise;
    default:
        return AffichageFenetre::Normal;
    }
}

bool Demarrer_Element(Contexte& contexte, const Element& element, QWidget* proprietaire) {
    const QString& chemin = element.chemin;
    const Type& type = element.type;
    EchecVerification echec;
    const auto signalerEchec = [&] {
        contexte.messages().afficher(echec.premiere + SautDeLigne + echec.seconde + SautDeLigne +
                                         QStringLiteral("[") + chemin + QStringLiteral("]"),
                                     IconeMessage::Information);
    };
    if (!verifier(type, chemin, echec)) {
        signalerEchec();
        return false;
    }
    const AffichageFenetre affichage = Affichage_Fenetre(element.mode);
    bool demarre = false;
    if (estEntreeBureau(type, chemin)) {
        // An entry that no longer reads as an application's is a program that is gone;
        // any other failure of the start is silent, as for every program.
        const ResultatLancement lancement = contexte.shell().lancerEntreeBureau(chemin, affichage);
        if (lancement == ResultatLancement::ApplicationIntrouvable) {
            signalerEchec();
            return false;
        }
        demarre = lancement == ResultatLancement::Reussi;
    } else {
        demarre = demarrer(contexte, proprietaire, type, chemin, affichage);
    }
    if (demarre) contexte.utilisations().noter(element.nom, QDateTime::currentDateTimeUtc());
    return true;
}

void Lancer_Element(frmDalvire& fenetre) {
    ListeProgrammes* const liste = fenetre.cboProgrammes;
    liste->setToolTip(QString());
    const int index = liste->currentIndex();
    if (index < 0) return;
    const Element element = liste->element(index);
    if (Sans_Espaces(element.nom).isEmpty()) return;
    liste->setToolTip(element.nom + QStringLiteral(" [") + element.chemin + QStringLiteral("]"));

    // The question and the chooser are modal, and the window's timer (or a click on
    // another launcher window) may slide it while they are shown: the toggle then has
    // nothing left to do, and would only slide the window back out.
    const bool sortieAvant = fenetre.Afficher;
    if (!Demarrer_Element(fenetre.contexte(), element, &fenetre)) return;
    if (fenetre.Afficher == sortieAvant) fenetre.imgIcone_Click();
}
