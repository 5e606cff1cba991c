#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A private XDG home for the tests of the desktop services: the system's MIME database,
// none of the system's applications, and desktop entries of our own whose program is a
// stand-in script that notes the arguments it was given. Made once per test program,
// before the application and GIO look at the environment.
namespace MaisonXdg {

// A desktop entry of the home.
struct Entree {
    QString id;             // "dalvire-temoin.desktop"
    QByteArray nom;         // its Name
    QByteArray champ;       // the field code after the program: "%f", "%u"
    QByteArray types;       // its MimeType list, "text/plain;" (also indexed in mimeinfo.cache)
    QByteArray autres = {}; // further lines, "Terminal=true\n"
    QString programme = {}; // empty: the stand-in script
};

// Makes the home under racine with those entries, and the defaults of mimeapps.list
// ("text/plain=dalvire-temoin.desktop\n"); points the XDG variables at it.
void preparer(const QString& racine, const QList<Entree>& entrees, const QByteArray& defauts);

QString racine();
// A path in the folder emptied after each test.
QString essai(const QString& nom);
// The stand-in script, for programs that are copies of it.
QByteArray scriptTemoin();
// The user's mimeapps.list as it stands.
QByteArray associations();
// Empties the test folder and forgets the stand-in's calls.
void nettoyer();

// The next call of the stand-in application, waited for: the targets of its standard
// output and error, then its arguments, one a line.
QStringList appelTemoin(int delaiMs = 5000);
// True when the stand-in has not been called after that wait.
bool aucunAppel(int attenteMs = 300);

bool ecrire(const QString& chemin, const QByteArray& contenu, bool executable = false);
QByteArray lire(const QString& chemin);

} // namespace MaisonXdg
