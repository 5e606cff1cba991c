#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

// The folder of this user's private files of a program (its lock, its channel):
// $XDG_RUNTIME_DIR when it is a folder of the user's alone, else <temporary folder>/
// <name>-<uid>, made when absent. Empty when neither can be trusted: a folder that another
// user could have prepared (a link, someone else's, open to others) is never used.
QString Dossier_Prive(const QString& nomProgramme);
QString Dossier_Prive(const QString& nomProgramme, const QString& runtime,
                      const QString& temporaire);
// A folder of this user only: a directory, not a link, owned by the user, mode 0700.
bool Dossier_Sur(const QString& chemin);

// One running copy per user. The lock is an flock() on a file of the user's private
// folder: the kernel drops it when the process ends, so a crashed copy never leaves it
// stuck, and a stale file on disk means nothing by itself.
class VerrouInstance {
public:
    VerrouInstance() = default;
    ~VerrouInstance();
    VerrouInstance(const VerrouInstance&) = delete;
    VerrouInstance& operator=(const VerrouInstance&) = delete;

    // True when this process now holds the lock, or when no lock can be had (no private
    // folder, a lock file that is not a plain file of the user's): refusing to start then
    // would be worse than a rare double. False when another copy holds it.
    bool acquerir(const QString& nomProgramme);
    bool acquerirFichier(const QString& chemin);
    bool estDetenu() const { return descripteur_ >= 0; }

    // Empty when the user has no private folder.
    static QString cheminVerrou(const QString& nomProgramme);

private:
    int descripteur_ = -1;
};

// The channel through which a copy being started hands a request to the copy that runs:
// a local socket in the user's private folder. A request is one short word and an end of
// line; the running copy answers "ok" to a word it knows and then acts on it.
namespace Canal {
inline constexpr char Recherche[] = "rechercher";
// The longest request, its end of line included; a longer one is dropped unread.
inline constexpr int LongueurMaximale = 32;
// Empty when the user has no private folder.
QString chemin(const QString& nomProgramme);
// Hands a word to the copy listening at chemin. False when none listens there. With a
// wait, the copy's answer (empty when none came in time) goes to reponse.
bool envoyer(const QString& chemin, const QByteArray& mot, QByteArray* reponse = nullptr,
             int attenteMs = 0);
} // namespace Canal

// The running copy's end of the channel. Only peers of the same user are heard, only the
// known words act; anything else (another user, an unknown or malformed word, too long, a
// peer that stays silent) is dropped without effect. Nothing runs while nobody talks.
class ServeurCanal : public QObject {
public:
    using Reception = std::function<void(const QByteArray& mot)>;
    ServeurCanal(QList<QByteArray> motsConnus, Reception reception, QObject* parent = nullptr);
    ~ServeurCanal() override;

    // Listens at chemin, replacing a socket a dead copy left there: only the holder of
    // the lock may call it. False when the socket cannot be made.
    bool ecouter(const QString& chemin);
    bool ecoute() const;

    // The user whose copies are heard: this process's by default.
    void definirUtilisateur(uint uid) { uid_ = uid; }
    // How long a peer may take to say its word.
    void definirDelaiSilence(int ms) { delaiSilenceMs_ = ms; }
    // Peers being heard at once; one more is turned away at the door.
    static constexpr int ConnexionsMaximales = 8;
    int connexionsOuvertes() const { return ouvertes_; }

private:
    class Connexion;
    void accepter();
    void conclure(Connexion* connexion, const QByteArray& mot);

    QList<QByteArray> motsConnus_;
    Reception reception_;
    struct Ecoute;
    std::unique_ptr<Ecoute> ecoute_;
    uint uid_;
    int delaiSilenceMs_ = 2000;
    int ouvertes_ = 0;
};

// When this process started, on the steady clock: the moment the user launched the
// program, before the libraries were loaded. Now, when the system does not tell.
std::chrono::steady_clock::time_point Debut_Processus();
