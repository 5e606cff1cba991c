#include "catalogue/DonneesInitiales.h"

#include "base/Version.h"
#include "catalogue/Catalogue.h"

namespace {

constexpr qint64 Fond = 16761024;

} // namespace

void Donnees_Initiales(Catalogue& catalogue, const QString& dossier) {
    const QString categorieProgramme = QStringLiteral("DALVIRE - version ") + Version::numero();
    const ModeAffichage normal = ModeAffichage::Normal;
    const QList<Categorie> categories{
        {QStringLiteral("INTERNET"), dossier + QStringLiteral("icones/internet.ico"), true, Fond},
        {QStringLiteral("MESSAGERIE"), dossier + QStringLiteral("icones/mail.ico"), true, Fond},
        {categorieProgramme, dossier + QStringLiteral("icones/dalvire.ico"), true, Fond},
    };
    const QList<Element> elements{
        {QStringLiteral("Visitez le site Internet de QELM"), Concepteur::SiteInternet,
         QStringLiteral("INTERNET"), normal, TypeElement::LienInternet},
        {QStringLiteral("Envoyez un e-mail à QELM"),
         QStringLiteral("mailto:") + Concepteur::AdresseMail +
             QStringLiteral("?subject=Dalvire version ") + Version::numero(),
         QStringLiteral("MESSAGERIE"), normal, TypeElement::Mail},
        {QStringLiteral("Informations sur le programme"),
         dossier + QStringLiteral("informations.txt"), categorieProgramme, normal,
         TypeElement::Fichier},
        {QStringLiteral("Aide"), dossier + QStringLiteral("aide.chm"), categorieProgramme, normal,
         TypeElement::Fichier},
    };
    catalogue.donneesInitiales(categories, elements);
}
