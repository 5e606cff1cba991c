#include "core/Utilisations.h"

#include "base/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

const QString Liste = QStringLiteral("lancements");
const QString Nom = QStringLiteral("nom");
const QString Poids = QStringLiteral("poids");
const QString Dernier = QStringLiteral("dernier");
const QString Nombre = QStringLiteral("nombre");

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
    return Dossier_Xdg("XDG_STATE_HOME", ".local/state") +
           QStringLiteral("/dalvire/lancements.json");
}

Utilisations::Utilisations(QString chemin)
    : chemin_(std::move(chemin)) {}

void Utilisations::definirChemin(QString chemin) {
    const std::lock_guard verrou(acces_);
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
    const std::lock_guard verrou(acces_);
    charger();
    Compte& compte = comptes_[nom];
    const QDateTime utc = quand.toUTC();
    compte.poids = (compte.dernier.isValid() ? decroitre(compte, utc) : 0.0) + 1.0;
    compte.dernier = utc;
    ++compte.lancements;
    enregistrer();
}

QHash<QString, double> Utilisations::poidsDe(const QDateTime& maintenant) const {
    const std::lock_guard verrou(acces_);
    charger();
    const QDateTime utc = maintenant.toUTC();
    QHash<QString, double> poids;
    poids.reserve(comptes_.size());
    for (auto it = comptes_.cbegin(); it != comptes_.cend(); ++it)
        if (const double p = decroitre(*it, utc); p > 0) poids.insert(it.key(), p);
    return poids;
}

int Utilisations::lancements(const QString& nom) const {
    const std::lock_guard verrou(acces_);
    charger();
    return comptes_.value(nom).lancements;
}

void Utilisations::renommer(const QString& ancien, const QString& nouveau) {
    if (ancien == nouveau) return;
    const std::lock_guard verrou(acces_);
    charger();
    const auto trouve = comptes_.constFind(ancien);
    if (trouve == comptes_.cend()) return;
    const Compte compte = *trouve;
    comptes_.erase(trouve);
    comptes_.insert(nouveau, compte);
    enregistrer();
}

void Utilisations::oublier(const QStringList& noms) {
    const std::lock_guard verrou(acces_);
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
    // Whatever is not a plain file of ours, or does not read as ours, counts as no start
    // at all: the order of the search is all that is lost, and the next start writes a
    // sound file in its place. A pipe is never waited on, a link never followed.
    const std::optional<QByteArray> octets = Lire_Fichier_Ordinaire(chemin_, TailleMaximum);
    if (!octets) return;
    const QJsonArray liste = QJsonDocument::fromJson(*octets).object().value(Liste).toArray();
    for (const QJsonValue& valeur : liste) {
        if (comptes_.size() >= EntreesMaximum) break;
        const QJsonObject ligne = valeur.toObject();
        const QString nom = ligne.value(Nom).toString();
        Compte compte;
        compte.poids = ligne.value(Poids).toDouble(-1);
        compte.dernier = lireDate(ligne.value(Dernier).toString());
        compte.lancements = ligne.value(Nombre).toInt(-1);
        if (nom.isEmpty() || nom.size() > NomMaximum || !std::isfinite(compte.poids) ||
            compte.poids < 0 || !compte.dernier.isValid() || compte.lancements < 0)
            continue;
        comptes_.insert(nom, compte);
    }
}

QByteArray Utilisations::contenu() const {
    const QDateTime maintenant = QDateTime::currentDateTimeUtc();
    struct Ligne {
        QString nom;
        double poids;
    };
    QList<Ligne> lignes;
    for (auto it = comptes_.begin(); it != comptes_.end();) {
        const double poids = decroitre(*it, maintenant);
        if (poids < PoidsOublie || it.key().size() > NomMaximum) {
            it = comptes_.erase(it);
            continue;
        }
        lignes.append({it.key(), poids});
        ++it;
    }
    // The lightest go first when the file is full: they count least in any order.
    if (lignes.size() > EntreesMaximum) {
        std::nth_element(lignes.begin(), lignes.begin() + EntreesMaximum, lignes.end(),
                         [](const Ligne& a, const Ligne& b) { return a.poids > b.poids; });
        for (auto l = lignes.cbegin() + EntreesMaximum; l != lignes.cend(); ++l)
            comptes_.remove(l->nom);
        lignes.resize(EntreesMaximum);
    }
    QJsonArray liste;
    for (const Ligne& l : lignes) {
        const Compte& c = comptes_[l.nom];
        liste.append(QJsonObject{{Nom, l.nom},
                                 {Poids, c.poids},
                                 {Dernier, c.dernier.toString(Qt::ISODate)},
                                 {Nombre, c.lancements}});
    }
    return QJsonDocument(QJsonObject{{Liste, liste}}).toJson(QJsonDocument::Compact);
}

bool Utilisations::enregistrer() const {
    const QByteArray octets = contenu();
    // The state folder is the user's alone, as the XDG rules ask of the folders they name.
    const QFileInfo info(chemin_);
    if (!info.dir().exists()) {
        if (!QDir().mkpath(info.absolutePath())) return false;
        QFile::setPermissions(info.absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // On failure the old file stays whole: a start that cannot be noted is no error the
    // user needs to hear of, and the counts kept here are written with the next one.
    return Remplacer_Fichier(chemin_, octets);
}
