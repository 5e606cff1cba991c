// The settings as typed values over the file they have always been kept in: each read as
// the program has always read it, odd texts another tool left included, written back in
// the same text, and the file the same byte for byte.
#include "core/ClesParametres.h"
#include "core/Reglages.h"
#include "platform/linux/ParametresQSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// A settings file of its own for each case (Qt keeps the files it has read), holding the
// texts of "demarrage pc", "confirmation fermeture", "plan", "fermeture", "raccourci
// recherche" and "date de debut", "|" between them, an empty one absent.
QByteArray Texte_Ini(const QString& textes) {
    const QStringList cles{Cle::DemarragePc, Cle::ConfirmationFermeture, Cle::Plan,
                           Cle::Fermeture,   Cle::RaccourciRecherche,    Cle::DateDebut};
    QMap<QByteArray, QByteArray> lignes; // in the order Qt writes them
    for (int i = 0; i < cles.size(); ++i)
        if (!textes.section('|', i, i).isEmpty())
            lignes.insert(cles[i].toUtf8().replace(' ', "%20"), textes.section('|', i, i).toUtf8());
    QByteArray texte = "[parametres]\n";
    for (auto it = lignes.cbegin(); it != lignes.cend(); ++it)
        texte += it.key() + '=' + it.value() + '\n';
    return texte;
}

QByteArray Contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Mot(bool actif) {
    return actif ? "oui" : "non";
}

} // namespace

class TestReglages : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dossier_;
    QString chemin_;

private Q_SLOTS:
    void init() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dossier_.emplace().path());
        chemin_ = dossier_->filePath("Dalvire/Dalvire.ini");
    }

    void lectureEtReecriture_data() {
        // The stored texts (see Texte_Ini), the six settings as the program takes them, and
        // the texts they are written back in, " > " between them.
        QTest::addColumn<QString>("cas");
        QTest::newRow("absents")
            << "||||| > non|non|non|0|Ctrl+Alt+Space| > 0|0|0|0|Ctrl+Alt+Space|";
        QTest::newRow("premier démarrage")
            << "1|1|0|5||07/12/2026 > oui|oui|non|5|Ctrl+Alt+Space|2026-12-07 > "
               "1|1|0|5|Ctrl+Alt+Space|07/12/2026";
        QTest::newRow("choisis")
            << "0|0|1|60|Meta+F12|7/1/2026 > non|non|oui|60|Meta+F12|2026-01-07 > "
               "0|0|1|60|Meta+F12|7/1/2026";
        // A check box: "demarrage pc" as a number, the confirmation as "1" alone.
        QTest::newRow("nombres écrits autrement")
            << "\" 1\"|1.0|-1|-5|AUCUN|31/02/2026 > oui|non|oui|-5|| > 1|0|1|-5|aucun|31/02/2026";
        // The delay is any 32-bit number (the dialog alone bounds it), the plan 16 bits.
        QTest::newRow("hors bornes") << "2|2|70000|99999|\"Ctrl+K, Ctrl+L\"|demain > "
                                        "non|non|non|99999|| > 0|0|0|99999|aucun|demain";
        QTest::newRow("illisibles")
            << "oui|\" 1\"|x|abc|Ctrl+Machin| > non|non|non|0|| > 0|0|0|0|aucun|";
        QTest::newRow("délai arrondi") << "||0|2.5|aucun| > non|non|non|2|| > 0|0|0|2|aucun|";
    }
    void lectureEtReecriture() {
        QFETCH(QString, cas);
        const QStringList c = cas.split(" > ");
        QDir(dossier_->path()).mkpath("Dalvire");
        QFile fichier(chemin_);
        QVERIFY(fichier.open(QIODevice::WriteOnly) && fichier.write(Texte_Ini(c[0])) > 0);
        fichier.close();
        ParametresQSettings stock;
        Reglages r(&stock);
        r.charger();
        QCOMPARE(QStringList({Mot(r.demarrageAvecSession()), Mot(r.confirmationFermeture()),
                              Mot(r.premierPlan()), QString::number(r.delaiFermeture()),
                              r.raccourciRecherche().toString(QKeySequence::PortableText),
                              r.dateDebut().toString(Qt::ISODate)})
                     .join('|'),
                 c[1]);
        r.definirDemarrageAvecSession(r.demarrageAvecSession());
        r.definirConfirmationFermeture(r.confirmationFermeture());
        r.definirPremierPlan(r.premierPlan());
        r.definirDelaiFermeture(r.delaiFermeture());
        r.definirRaccourciRecherche(r.raccourciRecherche());
        QCOMPARE(Contenu(chemin_), Texte_Ini(c[2]));
    }

    // A fresh user's file, the defaults in their texts; a later start writes only the
    // folder and replaces nothing that is there, odd or not.
    void valeursParDefaut() {
        ParametresQSettings stock;
        Reglages reglages(&stock);
        QVERIFY(reglages.ecrireAbsents(QDate(2026, 12, 7), "/opt/dalvire/", "Version 2.0.0"));
        QByteArray attendu = "[parametres]\nconfirmation%20fermeture=1\ncouleur=1\n"
                             "date%20de%20debut=07/12/2026\ndemarrage%20pc=1\n"
                             "dossier%20application=/opt/dalvire/\nfermeture=5\nplan=0\n"
                             "utilisation=ok\nversion=Version 2.0.0\n";
        QCOMPARE(Contenu(chemin_), attendu);
        stock.ecrire(Cle::Fermeture, "abc");
        stock.ecrire(Cle::DateDebut, ""); // emptied: as absent
        QVERIFY(!reglages.ecrireAbsents(QDate(2027, 1, 1), "/usr/lib/dalvire/", "Version 3"));
        QCOMPARE(Contenu(chemin_), attendu.replace("fermeture=5", "fermeture=abc")
                                       .replace("/opt/dalvire/", "/usr/lib/dalvire/")
                                       .replace("07/12/2026", "01/01/2027"));
    }
};

QTEST_MAIN(TestReglages)
#include "test_reglages.moc"
