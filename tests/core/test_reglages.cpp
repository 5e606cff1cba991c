// The settings as typed values over the file they have always been kept in: each read as
// the program has always read it, odd texts another tool left included, written back in
// the same text, and the file the same byte for byte.
#include "core/ClesParametres.h"
#include "core/Reglages.h"
#include "platform/linux/ParametresQSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A settings file of its own for each case: Qt keeps the files it has read.
struct Fichier {
    QTemporaryDir dossier;
    QString chemin = dossier.filePath(QStringLiteral("Dalvire/Dalvire.ini"));
    Fichier() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dossier.path()); }
    void ecrire(const QByteArray& texte) {
        QDir(dossier.path()).mkpath(QStringLiteral("Dalvire"));
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(texte) == texte.size());
    }
    QByteArray lire() const {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

QString Mot(bool actif) {
    return actif ? QStringLiteral("oui") : QStringLiteral("non");
}

// Each setting as a text to compare, and written back as it was read.
struct Acces {
    QString (*lire)(const Reglages&);
    void (*reecrire)(Reglages&);
};
const QMap<QString, Acces> Reglage = {
    {Cle::DemarragePc,
     {[](const Reglages& r) { return Mot(r.demarrageAvecSession()); },
      [](Reglages& r) { r.definirDemarrageAvecSession(r.demarrageAvecSession()); }}},
    {Cle::ConfirmationFermeture,
     {[](const Reglages& r) { return Mot(r.confirmationFermeture()); },
      [](Reglages& r) { r.definirConfirmationFermeture(r.confirmationFermeture()); }}},
    {Cle::Plan,
     {[](const Reglages& r) { return Mot(r.premierPlan()); },
      [](Reglages& r) { r.definirPremierPlan(r.premierPlan()); }}},
    {Cle::Fermeture,
     {[](const Reglages& r) { return QString::number(r.delaiFermeture()); },
      [](Reglages& r) { r.definirDelaiFermeture(r.delaiFermeture()); }}},
    {Cle::RaccourciRecherche,
     {[](const Reglages& r) { return r.raccourciRecherche().toString(QKeySequence::PortableText); },
      [](Reglages& r) { r.definirRaccourciRecherche(r.raccourciRecherche()); }}},
    {Cle::DateDebut,
     {[](const Reglages& r) { return r.dateDebut().toString(Qt::ISODate); }, nullptr}},
};

} // namespace

class TestReglages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lectureEtReecriture_data() {
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QByteArray>("stocke"); // as the file has it after "="; null: absent
        QTest::addColumn<QString>("lu");
        QTest::addColumn<QByteArray>("reecrit");
        const auto ligne = [](const char* nom, const QString& cle, const char* stocke,
                              const char* lu, const char* reecrit) {
            QTest::newRow(nom) << cle << QByteArray(stocke) << QString::fromUtf8(lu)
                               << QByteArray(reecrit);
        };
        // Check boxes: "demarrage pc" as a number, the confirmation as the text "1" alone.
        ligne("démarrage absent", Cle::DemarragePc, nullptr, "non", "0");
        ligne("démarrage 1", Cle::DemarragePc, "1", "oui", "1");
        ligne("démarrage 0", Cle::DemarragePc, "0", "non", "0");
        ligne("démarrage blanc et 1", Cle::DemarragePc, "\" 1\"", "oui", "1");
        ligne("démarrage 2", Cle::DemarragePc, "2", "non", "0");
        ligne("démarrage oui", Cle::DemarragePc, "oui", "non", "0");
        ligne("confirmation absente", Cle::ConfirmationFermeture, nullptr, "non", "0");
        ligne("confirmation 1", Cle::ConfirmationFermeture, "1", "oui", "1");
        ligne("confirmation 1.0", Cle::ConfirmationFermeture, "1.0", "non", "0");
        ligne("confirmation abc", Cle::ConfirmationFermeture, "abc", "non", "0");
        // Held for the run: any number but 0 on top, within 16 bits.
        ligne("plan absent", Cle::Plan, nullptr, "non", "0");
        ligne("plan 1", Cle::Plan, "1", "oui", "1");
        ligne("plan -1", Cle::Plan, "-1", "oui", "1");
        ligne("plan x", Cle::Plan, "x", "non", "0");
        ligne("plan 70000", Cle::Plan, "70000", "non", "0");
        // Any 32-bit number, kept as it is: the dialog alone bounds it.
        ligne("délai absent", Cle::Fermeture, nullptr, "0", "0");
        ligne("délai 5", Cle::Fermeture, "5", "5", "5");
        ligne("délai 60", Cle::Fermeture, "60", "60", "60");
        ligne("délai -5", Cle::Fermeture, "-5", "-5", "-5");
        ligne("délai 99999", Cle::Fermeture, "99999", "99999", "99999");
        ligne("délai 2.5", Cle::Fermeture, "2.5", "2", "2");
        ligne("délai abc", Cle::Fermeture, "abc", "0", "0");
        ligne("délai 1e10", Cle::Fermeture, "1e10", "0", "0");
        // One key, in Qt's portable text; a word of its own for none.
        ligne("raccourci absent", Cle::RaccourciRecherche, nullptr, "Ctrl+Alt+Space",
              "Ctrl+Alt+Space");
        ligne("raccourci Meta+F12", Cle::RaccourciRecherche, "Meta+F12", "Meta+F12", "Meta+F12");
        ligne("raccourci aucun", Cle::RaccourciRecherche, "aucun", "", "aucun");
        ligne("raccourci AUCUN", Cle::RaccourciRecherche, "AUCUN", "", "aucun");
        ligne("raccourci abîmé", Cle::RaccourciRecherche, "Ctrl+Machin", "", "aucun");
        ligne("raccourci deux touches", Cle::RaccourciRecherche, "\"Ctrl+K, Ctrl+L\"", "", "aucun");
        // Read only: start-up writes it once.
        ligne("date", Cle::DateDebut, "07/12/2026", "2026-12-07", nullptr);
        ligne("date sans zéros", Cle::DateDebut, "7/1/2026", "2026-01-07", nullptr);
        ligne("date impossible", Cle::DateDebut, "31/02/2026", "", nullptr);
        ligne("date illisible", Cle::DateDebut, "demain", "", nullptr);
    }
    void lectureEtReecriture() {
        QFETCH(QString, cle);
        QFETCH(QByteArray, stocke);
        QFETCH(QByteArray, reecrit);
        const QByteArray ligne = "[parametres]\n" + cle.toUtf8().replace(' ', "%20") + '=';
        Fichier fichier;
        if (!stocke.isNull()) fichier.ecrire(ligne + stocke + '\n');
        ParametresQSettings stock;
        Reglages reglages(stock);
        reglages.charger();
        QTEST(Reglage[cle].lire(reglages), "lu");
        if (reecrit.isNull()) return;
        Reglage[cle].reecrire(reglages);
        QCOMPARE(fichier.lire(), ligne + reecrit + '\n');
    }

    // A fresh user's file, the defaults in their texts; a later start writes only the
    // folder and replaces nothing that is there, odd or not.
    void valeursParDefaut() {
        Fichier fichier;
        ParametresQSettings stock;
        Reglages reglages(stock);
        QVERIFY(reglages.ecrireAbsents(QDate(2026, 12, 7), "/opt/dalvire/", "Version 2.0.0"));
        const QByteArray attendu = "[parametres]\n"
                                   "confirmation%20fermeture=1\n"
                                   "couleur=1\n"
                                   "date%20de%20debut=07/12/2026\n"
                                   "demarrage%20pc=1\n"
                                   "dossier%20application=/opt/dalvire/\n"
                                   "fermeture=5\n"
                                   "plan=0\n"
                                   "utilisation=ok\n"
                                   "version=Version 2.0.0\n";
        QCOMPARE(fichier.lire(), attendu);
        reglages.charger();
        QVERIFY(reglages.delaiFermeture() == 5 && !reglages.premierPlan());

        stock.ecrire(Cle::Fermeture, "abc");
        QVERIFY(!reglages.ecrireAbsents(QDate(2027, 1, 1), "/usr/lib/dalvire/", "Version 3"));
        QCOMPARE(fichier.lire(), QByteArray(attendu)
                                     .replace("fermeture=5", "fermeture=abc")
                                     .replace("/opt/dalvire/", "/usr/lib/dalvire/"));
    }
};

QTEST_MAIN(TestReglages)
#include "test_reglages.moc"
