// Long dates inside French sentences, whatever the language the system speaks.
#include "base/Dates.h"

#include <QLocale>
#include <QTest>

class TestDates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void dateLongueEnFrancais_data() {
        QTest::addColumn<QLocale>("systeme");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("attendu");
        const QLocale c = QLocale::c();
        const QLocale anglais(QLocale::English, QLocale::UnitedStates);
        const QLocale allemand(QLocale::German, QLocale::Germany);
        const QLocale francais(QLocale::French, QLocale::France);
        QTest::newRow("C") << c << QDate(2026, 12, 8) << "mardi 8 décembre 2026";
        QTest::newRow("anglais") << anglais << QDate(2026, 12, 7) << "lundi 7 décembre 2026";
        QTest::newRow("allemand") << allemand << QDate(2025, 2, 3) << "lundi 3 février 2025";
        QTest::newRow("français") << francais << QDate(2024, 8, 15) << "jeudi 15 août 2024";
        QTest::newRow("premier") << c << QDate(2027, 1, 1) << "vendredi 1 janvier 2027";
        QTest::newRow("invalide") << anglais << QDate(2026, 2, 31) << "";
    }
    void dateLongueEnFrancais() {
        QFETCH(QLocale, systeme);
        QFETCH(QDate, date);
        QLocale::setDefault(systeme);
        QTEST(Date_Longue(date), "attendu");
    }

    void dateEtHeureEnChiffres() {
        for (const auto& [l, texte] :
             QList<QPair<QLocale, QString>>{{QLocale::c(), "08/12/2026 07:05"},
                                            {QLocale(QLocale::Finnish), "08.12.2026 07.05"}})
            QCOMPARE(Date_En_Chiffres({2026, 12, 8}, l) + ' ' + Heure_En_Chiffres({7, 5}, l),
                     texte);
    }

    // What the settings keep reads back as the same day; anything else reads as no date.
    void dateDebutRelue() {
        const QDate jour(2026, 3, 9);
        QCOMPARE(Ecrire_Date_Debut(jour), QStringLiteral("09/03/2026"));
        QCOMPARE(Lire_Date_Debut(Ecrire_Date_Debut(jour)), jour);
        QCOMPARE(Lire_Date_Debut(QStringLiteral(" 9/3/2026 ")), jour);
        QCOMPARE(Ecrire_Date_Debut(QDate()), QString());
        for (const char* autre : {"2026-03-09", "31/02/2026", "9/3/26", "009/3/2026", "+9/3/2026",
                                  "9/3/2026/1", "9//2026", "", "٩/٣/٢٠٢٦"})
            QVERIFY2(!Lire_Date_Debut(QString::fromUtf8(autre)).isValid(), autre);
    }
};

QTEST_MAIN(TestDates)
#include "test_dates.moc"
