#pragma once

#include <QString>

class Contexte;
class QWidget;

// Links the windows check and send: web links, mail addresses, prepared mail messages.

// True when the text is a web link the program accepts (the rules are those of
// Uri_Absolue_Valide, platform/Uri.h: an absolute URL with a scheme, no blanks,
// valid syntax).
bool Lien_Internet_Valide(const QString& texte);

// True when the text starts with "mailto:" in any letter case; the rest is not examined.
bool Adresse_Mail_Valide(const QString& texte);

// The mailto: link of a message: the address, then "?Subject=", "&Body=", "&CC=" and
// "&BCC=" for the texts that are not empty, in this order. Every value is percent-encoded
// as RFC 6068 asks (UTF-8; line breaks of the body as %0D%0A), so that "&", "#", "%" or a
// line break of a report can neither cut the link nor change its meaning.
QString Lien_Mail(const QString& adresse, const QString& sujet, const QString& corps,
                  const QString& copie, const QString& copieCachee);

// Opens the user's mail program on a prepared message; the owner is the window the
// request comes from. Says so when no application handles mail.
void Envoyer_Mail(const Contexte& contexte, const QString& adresse, QWidget* proprietaire,
                  const QString& sujet, const QString& corps, const QString& copie = QString(),
                  const QString& copieCachee = QString());
