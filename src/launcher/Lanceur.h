#pragma once

#include <QString>

class Contexte;
class QWidget;
class frmDalvire;

// Starts the item picked in the window's list: checked by its type, opened with its
// display mode, the Open With chooser offered when no application takes the document;
// the window then slides back.
void Lancer_Element(frmDalvire& fenetre);

// True when the text is a web link the program accepts (the rules are those of
// Uri_Absolue_Valide, platform/ShellGio.h: an absolute URL with a scheme, no blanks,
// valid syntax).
bool Lien_Internet_Valide(const QString& texte);

// True when the text starts with "mailto:" in any letter case; the rest is not examined.
bool Adresse_Mail_Valide(const QString& texte);

// The window show command for a display-mode text: "0" minimised (6), "1" normal (1),
// "2" maximised (3), any other number passed as it is; the text is read with the shared
// numeric reading, and anything beyond 16 bits counts as 0.
int Commande_Affichage(const QString& demarrage);

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
