#include "base/Nombres.h"

#include <QTest>

class TestNombres : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lecture_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<double>("valeur");
        QTest::addColumn<qint64>("entier");
        QTest::newRow("vide") << "" << 0.0 << qint64(0);
        QTest::newRow("lettres") << "abc" << 0.0 << qint64(0);
        QTest::newRow("entier") << "5" << 5.0 << qint64(5);
        QTest::newRow("negatif") << "-5" << -5.0 << qint64(-5);
        QTest::newRow("grand") << "99999" << 99999.0 << qint64(99999);
        QTest::newRow("blancs devant") << "   42" << 42.0 << qint64(42);
        QTest::newRow("suite non numerique") << "12abc" << 12.0 << qint64(12);
        QTest::newRow("blanc au milieu arrete") << "1 2" << 1.0 << qint64(1);
        QTest::newRow("demi vers pair bas") << "0.5" << 0.5 << qint64(0);
        QTest::newRow("un et demi") << "1.5" << 1.5 << qint64(2);
        QTest::newRow("deux et demi") << "2.5" << 2.5 << qint64(2);
        QTest::newRow("moins deux et demi") << "-2.5" << -2.5 << qint64(-2);
        QTest::newRow("point seul") << "." << 0.0 << qint64(0);
        QTest::newRow("decimales sans entier") << ".75" << 0.75 << qint64(1);
        QTest::newRow("exposant") << "1e3" << 1000.0 << qint64(1000);
        QTest::newRow("exposant incomplet") << "2e" << 2.0 << qint64(2);
        QTest::newRow("signe seul") << "-" << 0.0 << qint64(0);
        QTest::newRow("couleur") << "16761024" << 16761024.0 << qint64(16761024);
        QTest::newRow("virgule non decimale") << "3,7" << 3.0 << qint64(3);
        QTest::newRow("enorme") << "1e400" << 0.0 << qint64(0);
    }
    void lecture() {
        QFETCH(QString, texte);
        QFETCH(double, valeur);
        QFETCH(qint64, entier);
        QCOMPARE(Valeur_Numerique(texte), valeur);
        QCOMPARE(Valeur_Entiere(texte), entier);
    }

    void bornes_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("entier16");
        QTest::addColumn<qint64>("entier32");
        QTest::newRow("dans 16 bits") << "32767" << 32767 << qint64(32767);
        QTest::newRow("hors 16 bits") << "32768" << 0 << qint64(32768);
        QTest::newRow("negatif 16 bits") << "-32768" << -32768 << qint64(-32768);
        QTest::newRow("hors 32 bits") << "3000000000" << 0 << qint64(0);
        QTest::newRow("saturation 64 bits") << "1e30" << 0 << qint64(0);
    }
    void bornes() {
        QFETCH(QString, texte);
        QFETCH(int, entier16);
        QFETCH(qint64, entier32);
        QCOMPARE(int(Valeur_Entiere_16(texte)), entier16);
        QCOMPARE(qint64(Valeur_Entiere_32(texte)), entier32);
    }
};

QTEST_APPLESS_MAIN(TestNombres)
#include "test_nombres.moc"
