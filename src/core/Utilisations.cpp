#include "core/Utilisations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

namespace {

const QString Liste = QStringLiteral("lancements");
const QString Nom = QStringLiteral("nom");
const QString Poids = QStringLiteral("poids");
const QString Dernier = QStringLiteral("dernier");
const QString Nombre = QStringLiteral("nombre");

// A file far beyond what any catalogue gives is no file of ours: it is not read whole.
constexpr qint64 TailleMaximum = 16 * 1024 * 1024;

// The form the file is written in ("2026-12-09T10:30:00Z") read by hand: QDateTime's own
// reading costs microseconds a line, which a file of a thousand starts makes felt at the
// search's first opening. Any other form goes the general way.
QDateTime lireDate(const QString& texte) {
    bool chiffres = texte.size() == 20;
    const auto nombre = [&](int debut, int longueur) {
        int valeur = 0;
        for (int i = debut; chiffres && i < debut + longueur; ++i) {
            const char16_t c = texte.at(i).unicode();
            chiffres = c >= u'0' && c <= u'9';
            valeur = valeur * 10 + (c - u'0');
        }
        return valeur;
    };
    if (chiffres && texte.at(4) == u'-' && texte.at(7) == u'-' && texte.at(10) == u'T' &&
        texte.at(13) == u':' && texte.at(16) == u':' && texte.at(19) == u'Z') {
        const QDate jour(nombre(0, 4), nombre(5, 2), nombre(8, 2));
        const QTime heure(nombre(11, 2), nombre(14, 2), nombre(17, 2));
        if (chiffres && jour.isValid() && heure.isValid()) return QDateTime(jour, heure, Qt::UTC);
    }
    return QDateTime::fromString(texte, Qt::ISODate).toUTC();
}

} // namespace

QString Utilisations::cheminParDefaut() {
    QString etat = qEnvironmentVariable("XDG_STATE_HOME");
    if (etat.isEmpty() || QDir::isRelativePath(etat))
        etat = QDir::homePath() + QStringLiteral("/.local/state");
    return etat + QStringLiteral("/dalvire/lancements.json");
}

Utilisations::Utilisations(QString chemin)
    : chemin_(std::move(chemin)) {}

void Utilisations::definirChemin(QString chemin) {
    chemin_ = std::move(chemin);
    charge_ = false;
    comptes_.clear();
}

double Utilisations::decroitre(const Compte& compte, const QDateTime& maintenant) {
    // A clock put back makes no start younger than now.
    const qint64 age = std::max<qint64>(0, compte.dernier.secsTo(maintenant));
    return compte.poids * std::exp2(-static_cast<double>(age) / DemiVie);
}

void Utilisations::noter(const QString& nom, const QDateTime& quand) {
    charger();
    Compte& compte = comptes_[nom];
    const QDateTime utc = quand.toUTC();
    compte.poids = (compte.dernier.isValid() ? decroitre(compte, utc) : 0.0) + 1.0;
    compte.dernier = utc;
    ++compte.lancements;
    enregistrer();
}

QHash<QString, double> Utilisations::poidsDe(const QDateTime& maintenant) const {
    charger();
    const QDateTime utc = maintenant.toUTC();
    QHash<QString, double> poids;
    poids.reserve(comptes_.size());
    for (auto it = comptes_.cbegin(); it != comptes_.cend(); ++it)
        if (const double p = decroitre(*it, utc); p > 0) poids.insert(it.key(), p);
    return poids;
}

int Utilisations::lancements(const QString& nom) const {
    charger();
    return comptes_.value(nom).lancements;
}

void Utilisations::renommer(const QString& ancien, const QString& nouveau) {
    if (ancien == nouveau) return;
    charger();
    const auto trouve = comptes_.constFind(ancien);
    if (trouve == comptes_.cend()) return;
    const Compte compte = *trouve;
    comptes_.erase(trouve);
    comptes_.insert(nouveau, compte);
    enregistrer();
}

void Utilisations::oublier(const QStringList& noms) {
    charger();
    qsizetype retires = 0;
    for (const QString& nom : noms)
        retires += comptes_.remove(nom) ? 1 : 0;
    if (retires > 0) enregistrer();
}

void Utilisations::oublier(const QList<Element>& elements) {
    QStringList noms;
    for (const Element& e : elements)
        noms << e.nom;
    oublier(noms);
}

void Utilisations::charger() const {
    if (charge_) return;
    charge_ = true;
    QFile fichier(chemin_);
    if (!fichier.open(QIODevice::ReadOnly) || fichier.size() > TailleMaximum) return;
    // Whatever does not read as ours counts as no start at all: the order of the search
    // is all that is lost, and the next start writes a sound file again.
    const QJsonDocument document = QJsonDocument::fromJson(fichier.readAll());
    const QJsonArray liste = document.object().value(Liste).toArray();
    for (const QJsonValue& valeur : liste) {
        const QJsonObject ligne = valeur.toObject();
        const QString nom = ligne.value(Nom).toString();
        Compte compte;
        compte.poids = ligne.value(Poids).toDouble(-1);
        compte.dernier = lireDate(ligne.value(Dernier).toString());
        compte.lancements = ligne.value(Nombre).toInt(-1);
        if (nom.isEmpty() || !std::isfinite(compte.poids) || compte.poids < 0 ||
            !compte.dernier.isValid() || compte.lancements < 0)
            continue;
        comptes_.insert(nom, compte);
    }
}

void Utilisations::enregistrer() const {
    const QDateTime maintenant = QDateTime::currentDateTimeUtc();
    QJsonArray liste;
    for (auto it = comptes_.begin(); it != comptes_.end();) {
        if (decroitre(*it, maintenant) < PoidsOublie) {
            it = comptes_.erase(it);
            continue;
        }
        liste.append(QJsonObject{{Nom, it.key()},
                                 {Poids, it->poids},
                                 {Dernier, it->dernier.toString(Qt::ISODate)},
                                 {Nombre, it->lancements}});
        ++it;
    }
    // The state folder is the user's alone, as the XDG rules ask of the folders they name.
    const QFileInfo info(chemin_);
    if (!info.dir().exists()) {
        if (!QDir().mkpath(info.absolutePath())) return;
        QFile::setPermissions(info.absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QSaveFile fichier(chemin_);
    if (!fichier.open(QIODevice::WriteOnly)) return;
    fichier.write(QJsonDocument(QJsonObject{{Liste, liste}}).toJson(QJsonDocument::Compact));
    // On failure the old file stays whole: a start that cannot be noted is no error the
    // user needs to hear of.
    fichier.commit();
}
