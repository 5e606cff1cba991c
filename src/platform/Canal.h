#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

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
