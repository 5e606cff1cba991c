#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

// Where this user's private files of a program (its lock, its channel) may go, in the
// order tried: $XDG_RUNTIME_DIR itself, else <state home>/<name>, else <cache home>/<name>,
// both under the user's home, where no other user can make a folder first.
struct LieuxPrives {
    QString runtime;      // used only when it is already a folder of the user's alone
    QStringList dossiers; // made when absent
    // From the environment: $XDG_RUNTIME_DIR, $XDG_STATE_HOME and $XDG_CACHE_HOME, the
    // home's .local/state and .cache standing for an unset or relative variable.
    static LieuxPrives session(const QString& nomProgramme);
};
// The first of those places that is a folder of the user's alone (made when absent) and
// leaves room after it for a name of longueurNom characters (a socket's path is short); empty when
// none does. A place that another user could have prepared (a link, someone else's, open to others)
// is never used.
QString Dossier_Prive(const LieuxPrives& lieux, qsizetype longueurNom = 0);
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
// line; the running copy answers every peer of the user's it takes: "ok" to a word it
// knows, then acts on it; "occupe" when it hears too many peers at once; "non" to anything
// else, or to a peer that stays silent.
namespace Canal {
inline constexpr char Recherche[] = "rechercher";
// The longest request, its end of line included; a longer one is dropped unread.
inline constexpr int LongueurMaximale = 32;
inline constexpr char Nom[] = ".canal";
// Empty when the user has no private folder that leaves room for a socket's path.
QString chemin(const QString& nomProgramme);

enum class Issue {
    Acceptee,    // the copy took the word and acts on it
    Refusee,     // it answered no, or that it is busy
    SansReponse, // it took the call but said nothing in time, or let go without a word
    Personne     // nobody of this user's listens there
};
// Hands a word to the copy listening at chemin and waits up to attente for its answer.
Issue demander(const QString& chemin, const QByteArray& mot, std::chrono::milliseconds attente);
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
    // Peers being heard at once; one more is told so and let go.
    static constexpr int ConnexionsMaximales = 8;
    int connexionsOuvertes() const { return ouvertes_; }
    // How long the door stays shut after a call could not be taken (no descriptor left):
    // the waiting call keeps the socket readable, which would otherwise wake the loop
    // without end.
    static constexpr int PauseApresEchecMs = 250;

private:
    class Connexion;
    void accepter();
    void suspendre();
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
