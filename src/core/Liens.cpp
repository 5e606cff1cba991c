#include "core/Liens.h"
#include "base/Textes.h"

#include "core/Contexte.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/Uri.h"

#include <QUrl>

namespace {

// Percent-encoding of a mailto: value: every character but the unreserved ones, or, in
// an address list, but those an address is written with.
QString encoderValeur(const QString& valeur) {
    return QString::fromLatin1(QUrl::toPercentEncoding(valeur));
}

QString encoderAdresses(const QString& adresses) {
    return QString::fromLatin1(QUrl::toPercentEncoding(adresses, "!$'()*+,;:@"));
}

// Every line break of a body as CR LF, which the link then carries as %0D%0A.
QString sautsCrLf(QString texte) {
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    texte.replace(QLatin1Char('\n'), SautDeLigne);
    return texte;
}

} // namespace

bool Lien_Internet_Valide(const QString& texte) {
    return Uri_Absolue_Valide(texte);
}

bool Adresse_Mail_Valide(const QString& texte) {
    return texte.size() >= 7 && texte.left(7).toLower() == QLatin1String("mailto:");
}

QString Lien_Mail(const QString& adresse, const QString& sujet, const QString& corps,
                  const QString& copie, const QString& copieCachee) {
    QString requete;
    if (!sujet.isEmpty()) requete = QStringLiteral("&Subject=") + encoderValeur(sujet);
    if (!corps.isEmpty()) requete += QStringLiteral("&Body=") + encoderValeur(sautsCrLf(corps));
    if (!copie.isEmpty()) requete += QStringLiteral("&CC=") + encoderAdresses(copie);
    if (!copieCachee.isEmpty()) requete += QStringLiteral("&BCC=") + encoderAdresses(copieCachee);
    if (requete.startsWith(QLatin1Char('&'))) requete[0] = QLatin1Char('?');
    return QStringLiteral("mailto:") + encoderAdresses(adresse) + requete;
}

void Envoyer_Mail(const Contexte& contexte, const QString& adresse, QWidget* proprietaire,
                  const QString& sujet, const QString& corps, const QString& copie,
                  const QString& copieCachee) {
    const QString lien = Lien_Mail(adresse, sujet, corps, copie, copieCachee);
    if (contexte.shell().ouvrir(lien, AffichageFenetre::Normal, proprietaire) ==
        ResultatOuverture::AucuneAssociation)
        contexte.messages().afficher(
            QStringLiteral("Aucune application ne permet d'envoyer un e-mail à l'adresse :") +
                SautDeLigne + adresse,
            IconeMessage::Information);
}
