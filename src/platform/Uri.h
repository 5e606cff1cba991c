#pragma once

#include <QString>

// The syntax check of a web link. Accepted: an absolute URI (RFC 3986) in strict syntax:
// a scheme, ":" and the rest, written only with the characters the RFC allows (so no
// blank, control character, or any of < > " { } | \ ^ `), every "%" followed by two
// hexadecimal digits, a well-formed authority when "//" follows the scheme, brackets only
// around an IP literal host, at most one "#". Characters beyond ASCII count as their
// UTF-8 percent-encoding (an IRI such as https://exemple.fr/été is accepted). The schemes
// of the web (http, https, ftp, ftps) must also name a host. Refused: text without a
// scheme ("www.exemple.fr"), a relative reference, the empty text, and anything else.
bool Uri_Absolue_Valide(const QString& texte);
