// The link syntax on GLib's URI parser: GLib is loaded with Qt already, where GIO, which
// the rest of the desktop services need, is loaded only on their first use.
#include "platform/Uri.h"

#include <glib.h>

#include <QByteArray>

#include <cstring>
#include <memory>

namespace {

bool estSchemaDuWeb(const QByteArray& schema) {
    return schema == "http" || schema == "https" || schema == "ftp" || schema == "ftps";
}

// The characters RFC 3986 allows in a URI: unreserved, reserved and "%".
bool caracteresPermis(const QByteArray& uri) {
    static const QByteArray autres = "-._~:/?#[]@!$&'()*+,;=%";
    for (const char c : uri) {
        const bool alphanumerique =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alphanumerique && !autres.contains(c)) return false;
    }
    return true;
}

bool contientUnDe(const gchar* composante, const char* caracteres) {
    return composante && std::strpbrk(composante, caracteres) != nullptr;
}

struct LiberationUri {
    void operator()(GUri* uri) const { g_uri_unref(uri); }
};

} // namespace

bool Uri_Absolue_Valide(const QString& texte) {
    if (texte.isEmpty()) return false;
    for (const QChar c : texte)
        if (c.isSpace() || c.category() == QChar::Other_Control || c.isNull()) return false;

    // An IRI is checked as the URI it stands for: its characters beyond ASCII encoded.
    QByteArray uri;
    for (const char octet : texte.toUtf8()) {
        const auto o = static_cast<unsigned char>(octet);
        if (o < 0x80) {
            uri.append(octet);
        } else {
            uri.append('%');
            uri.append(QByteArray::number(o, 16).toUpper().rightJustified(2, '0'));
        }
    }
    if (!caracteresPermis(uri)) return false;

    // Components kept encoded, so that what is checked is what was written.
    const std::unique_ptr<GUri, LiberationUri> analyse(
        g_uri_parse(uri.constData(), G_URI_FLAGS_ENCODED, nullptr));
    if (!analyse) return false;
    // Brackets belong to an IP literal host, "#" only opens the fragment.
    if (contientUnDe(g_uri_get_userinfo(analyse.get()), "[]") ||
        contientUnDe(g_uri_get_path(analyse.get()), "[]") ||
        contientUnDe(g_uri_get_query(analyse.get()), "[]") ||
        contientUnDe(g_uri_get_fragment(analyse.get()), "[]#"))
        return false;
    if (estSchemaDuWeb(QByteArray(g_uri_get_scheme(analyse.get())).toLower())) {
        const gchar* hote = g_uri_get_host(analyse.get());
        return hote && *hote;
    }
    return true;
}
