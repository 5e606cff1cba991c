// The build of the strips from the catalogue: which strips, in what order and where, with
// which items, icon and colour, and the messages when it cannot.
#include "core/Aleatoire.h"
#include "launcher/Bandes.h"
#include "launcher/ImageCategorie.h"
#include "launcher/SuiviEcrans.h"
#include "launcher/frmDalvire.h"
#include "support/ControlesBande.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"
#include "tray/frmPrincipale.h"

#include <QBuffer>
#include <QDataStream>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QMenu>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString AucuneFenetre =
    QStringLiteral("Aucune fenêtre n'est à afficher.\r\nPour afficher des fenêtres, cliquez sur "
                   "'Catégories' ou 'Programmes' dans le menu.");
const QString TropBas = QStringLiteral("Certaines fenêtres ne pourront être affichées.\r\n"
                                       "L'emplacement de celles-ci dépassent la hauteur de "
                                       "l'écran.");

QList<frmDalvire*> lanceurs(Contexte& contexte) {
    return contexte.fenetres().ouvertes<frmDalvire>();
}

// As the main window builds them: the model brought up to the file, then the strips.
void construire(Contexte& contexte, frmPrincipale& principale) {
    if (Actualiser_Modele_Ou_Signaler(contexte)) Creer_Bandes(contexte, principale);
}

frmDalvire* parTag(Contexte& contexte, const QString& tag) {
    for (frmDalvire* f : lanceurs(contexte))
        if (f->Tag() == tag) return f;
    return nullptr;
}

QImage imageDe(const frmDalvire& f) {
    return f.image().toImage();
}

QColor couleurDe(const frmDalvire& f) {
    return f.palette().color(QPalette::Window);
}

QColor couleurTiree(GenerateurAleatoire& g) {
    const int r = static_cast<int>(std::nearbyint(g.suivant() * 255));
    const int v = static_cast<int>(std::nearbyint(g.suivant() * 255));
    const int b = static_cast<int>(std::nearbyint(g.suivant() * 255));
    return QColor(r, v, b);
}

void fermer(Contexte& contexte) {
    qDeleteAll(lanceurs(contexte));
}

// One run of the program: its own catalogue and its own generator.
struct Execution {
    Environnement env{Environnement::lanceur()};
    frmPrincipale principale{env.contexte()};
    Contexte& contexte() { return env.contexte(); }
    QStringList messages() { return env.messages().textes(); }
};

// An icon file holding a 16 x 16 blue and a 32 x 32 red picture, each stored as PNG.
QByteArray iconeDeuxTailles() {
    QList<QByteArray> images;
    for (const auto& [cote, couleur] :
         {std::pair{16, QColor(Qt::blue)}, std::pair{32, QColor(Qt::red)}}) {
        QImage image(cote, cote, QImage::Format_ARGB32);
        image.fill(couleur);
        QByteArray png;
        QBuffer tampon(&png);
        tampon.open(QIODevice::WriteOnly);
        image.save(&tampon, "PNG");
        images << png;
    }
    QByteArray ico;
    QDataStream flux(&ico, QIODevice::WriteOnly);
    flux.setByteOrder(QDataStream::LittleEndian);
    flux << quint16(0) << quint16(1) << quint16(images.size());
    quint32 position = 6 + 16 * images.size();
    const int cotes[] = {16, 32};
    for (int i = 0; i < images.size(); ++i) {
        flux << quint8(cotes[i]) << quint8(cotes[i]) << quint8(0) << quint8(0) << quint16(1)
             << quint16(32) << quint32(images.at(i).size()) << position;
        position += images.at(i).size();
    }
    for (const QByteArray& png : images)
        flux.writeRawData(png.constData(), png.size());
    return ico;
}

} // namespace

class TestBandes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aucuneCategorieAffichee() {
        Execution x;
        x.env.ajouterCategorie(u"Cachee"_s, QString(), u"0"_s, u"0"_s);
        x.env.ajouterCategorie(u"Sans drapeau"_s, QString(), QString(), u"0"_s);
        construire(x.contexte(), x.principale);
        QCOMPARE(x.messages(), QStringList{AucuneFenetre});
        QCOMPARE(x.env.messages().vus.at(0).icone, IconeMessage::Information);
        QVERIFY(lanceurs(x.contexte()).isEmpty());
    }

    void ordreEmpilementEtContenu() {
        Execution x;
        x.env.ajouterCategorie(u"Zèbre"_s, QString(), u"1"_s, u"255"_s);
        x.env.ajouterCategorie(u"alpha"_s, QString(), u"1"_s, u"255"_s);
        x.env.ajouterCategorie(u"Bêta"_s, QString(), u"1"_s, u"255"_s);
        x.env.ajouterCategorie(u"Masquée"_s, QString(), u"0"_s, u"255"_s);
        construire(x.contexte(), x.principale);
        QVERIFY(x.messages().isEmpty());
        const QList<frmDalvire*> f = lanceurs(x.contexte());
        const QStringList noms{u"alpha"_s, u"Bêta"_s, u"Zèbre"_s};
        QCOMPARE(f.size(), 3);
        const QRect ecran = QGuiApplication::primaryScreen()->geometry();
        const int h = f.at(0)->frameGeometry().height();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(f.at(i)->Tag(), noms.at(i));
            QCOMPARE(Icone(*f.at(i))->toolTip(), f.at(i)->Tag());
            // A screen reader names the strip and its list by the category.
            QCOMPARE(f.at(i)->accessibleName(), f.at(i)->Tag());
            QCOMPARE(Liste(*f.at(i))->accessibleName(), f.at(i)->Tag());
            QVERIFY(f.at(i)->isVisible());
            QVERIFY(!f.at(i)->Afficher);
            QCOMPARE(f.at(i)->x(), f.at(i)->gaucheRentree());
            QCOMPARE(f.at(i)->y(), ecran.y() + h * i);
        }
    }

    void choixDesElements() {
        Execution x;
        const QString jeux = u"Jeux d'été"_s;
        x.env.ajouterCategorie(jeux, QString(), u"1"_s, u"0"_s);
        x.env.ajouterCategorie(u"Vide"_s, QString(), u"1"_s, u"0"_s);
        x.env.ajouterCategorie(QString(), QString(), u"1"_s, u"0"_s);
        x.env.ajouterCategorie(u""_s, QString(), u"1"_s, u"0"_s);
        x.env.ajouterCategorie(u"Jeux d%"_s, QString(), u"1"_s, u"0"_s);
        x.env.ajouterProgramme(u"Échecs"_s, u"/jeux/echecs"_s, jeux, u"2"_s, u"0"_s);
        x.env.ajouterProgramme(u"dames"_s, u"/jeux/dames"_s, u"JEUX D'ÉTÉ"_s, u"0"_s, u"1"_s);
        x.env.ajouterProgramme(u"Belote"_s, QString(), jeux, QString(), QString());
        x.env.ajouterProgramme(u""_s, u"/sans/nom"_s, jeux, u"1"_s, u"0"_s);
        x.env.ajouterProgramme(QString(), u"/nul"_s, jeux, u"1"_s, u"0"_s);
        x.env.ajouterProgramme(u"Ailleurs"_s, u"/ailleurs"_s, u"Jeux d"_s, u"1"_s, u"0"_s);
        construire(x.contexte(), x.principale);
        QVERIFY(x.messages().isEmpty());

        QCOMPARE(lanceurs(x.contexte()).size(), 3);
        // A pattern character in a name is a plain character.
        const frmDalvire* motif = parTag(x.contexte(), u"Jeux d%"_s);
        QVERIFY(motif);
        QCOMPARE(Liste(*motif)->count(), 0);
        const frmDalvire* trouvee = parTag(x.contexte(), jeux);
        QVERIFY(trouvee);
        const frmDalvire& j = *trouvee;
        QStringList lignes;
        for (const Element& e : j.lignes())
            lignes << e.nom + '|' + e.chemin + '|' + e.type.texte() + '|' + e.mode.texte();
        QCOMPARE(lignes,
                 (QStringList{"Belote|||", "dames|/jeux/dames|1|0", "Échecs|/jeux/echecs|0|2"}));
        QCOMPARE(Liste(j)->itemText(2), u"Échecs"_s);
        QCOMPARE(Liste(j)->currentIndex(), -1);
        QVERIFY(Liste(j)->toolTip().isEmpty());
        const frmDalvire* vide = parTag(x.contexte(), u"Vide"_s);
        QVERIFY(vide);
        QCOMPARE(Liste(*vide)->count(), 0);
        // Nothing was launched while the lists were filled.
        QTest::qWait(20);
        QVERIFY(x.env.shell().appels.isEmpty());
    }

    void icone_data() {
        QTest::addColumn<QString>("fichier"); // written in the folder; "" none
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("chemin"); // relative to the folder, or absolute
        QTest::addColumn<bool>("imageApplication");
        QTest::newRow("chemin vide") << u""_s << u""_s << "" << true;
        QTest::newRow("fichier absent") << u""_s << u""_s << "absent.ico" << true;
        QTest::newRow("dossier") << u""_s << u""_s << "icones" << true;
        QTest::newRow("png") << u"rouge.png"_s << u"png"_s << "rouge.png" << false;
        QTest::newRow("bmp") << u"rouge.bmp"_s << u"bmp"_s << "rouge.bmp" << false;
        QTest::newRow("gif") << u"rouge.gif"_s << u"gif"_s << "rouge.gif" << false;
        QTest::newRow("jpeg") << u"rouge.jpg"_s << u"jpg"_s << "rouge.jpg" << false;
        QTest::newRow("ico") << u"rouge.ico"_s << u"ico"_s << "rouge.ico" << false;
        QTest::newRow("extension trompeuse") << u"rouge.ico"_s << u"png"_s << "rouge.ico" << false;
    }

    void icone() {
        QFETCH(QString, fichier);
        QFETCH(QString, format);
        QFETCH(QString, chemin);
        QFETCH(bool, imageApplication);
        Execution x;
        if (format == QLatin1String("gif")) {
            // Qt reads GIF but does not write it: one red pixel, by hand.
            static const char unPixelRouge[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00"
                                               "\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00"
                                               "\x00\x02\x02\x44\x01\x00;";
            QFile f(x.env.dossier() + fichier);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(unPixelRouge, sizeof unPixelRouge - 1);
        } else if (!fichier.isEmpty()) {
            QImage rouge(48, 48, QImage::Format_RGB32);
            rouge.fill(QColor(250, 0, 0));
            QImageWriter ecrivain(x.env.dossier() + fichier, format.toLatin1());
            QVERIFY2(ecrivain.write(rouge), qPrintable(ecrivain.errorString()));
        }
        const QString icone = chemin.isEmpty() ? QString() : x.env.dossier() + chemin;
        x.env.ajouterCategorie(u"A"_s, icone, u"1"_s, u"0"_s);
        construire(x.contexte(), x.principale);
        QVERIFY2(x.messages().isEmpty(), qPrintable(x.messages().join(QLatin1Char('\n'))));
        const frmDalvire& f = *lanceurs(x.contexte()).at(0);
        const QImage image = imageDe(f);
        QCOMPARE(image.size(), Icone(f)->size());
        if (imageApplication) {
            QCOMPARE(image, x.principale.imageConception(Icone(f)->size()).toImage());
        } else {
            const QColor centre = image.pixelColor(image.width() / 2, image.height() / 2);
            QVERIFY2(centre.red() > 230 && centre.green() < 20 && centre.blue() < 20,
                     qPrintable(centre.name()));
        }
    }

    // A picture that exists but that the loader cannot read: a text file, or a picture
    // larger than the loader accepts.
    void imageIllisible_data() {
        QTest::addColumn<QStringList>("icones"); // of categories A, B and C: "" none
        QTest::newRow("fichier texte au milieu") << QStringList{"", "texte", ""};
        QTest::newRow("image trop grande au milieu") << QStringList{"", "grande", ""};
        QTest::newRow("deux illisibles") << QStringList{"rouge", "texte", "grande"};
    }

    void imageIllisible() {
        QFETCH(QStringList, icones);
        Execution x;
        // Pictures above 2 MB once decoded are beyond the loader here.
        const int limite = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(2);
        const auto retablir = qScopeGuard([limite] { QImageReader::setAllocationLimit(limite); });
        const QString dossier = x.env.dossier();
        {
            QFile f(dossier + u"texte.ico"_s);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("ceci n'est pas une image");
        }
        QImage grande(1200, 1200, QImage::Format_RGB32);
        grande.fill(Qt::blue);
        QVERIFY(grande.save(dossier + u"grande.png"_s));
        QImage rouge(48, 48, QImage::Format_RGB32);
        rouge.fill(QColor(250, 0, 0));
        QVERIFY(rouge.save(dossier + u"rouge.png"_s));
        const QMap<QString, QString> fichiers{{"texte", dossier + "texte.ico"},
                                              {"grande", dossier + "grande.png"},
                                              {"rouge", dossier + "rouge.png"}};
        const QStringList noms{u"A"_s, u"B"_s, u"C"_s};
        for (int i = 0; i < 3; ++i)
            x.env.ajouterCategorie(noms.at(i), fichiers.value(icones.at(i)), u"1"_s, u"0"_s);

        construire(x.contexte(), x.principale);
        // Once for the build, naming the first picture that could not be read.
        QCOMPARE(x.messages(), QStringList{u"Image incorrecte : "_s + fichiers.value(icones.at(1)) +
                                           u"\r\n[481]"_s});
        QCOMPARE(x.env.messages().vus.at(0).icone, IconeMessage::Exclamation);
        const QList<frmDalvire*> f = lanceurs(x.contexte());
        QCOMPARE(f.size(), 3);
        const QImage application = x.principale.imageConception(Icone(*f.at(0))->size()).toImage();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(f.at(i)->Tag(), noms.at(i));
            QVERIFY(f.at(i)->isVisible());
            QCOMPARE(f.at(i)->y(), f.at(0)->y() + i * f.at(0)->frameGeometry().height());
            QCOMPARE(Icone(*f.at(i))->toolTip(), noms.at(i));
            const bool lisible = icones.at(i) == QLatin1String("rouge");
            QCOMPARE(imageDe(*f.at(i)) == application, !lisible);
        }
    }

    void iconeAPlusieursTailles_data() {
        QTest::addColumn<int>("cote");
        QTest::addColumn<QColor>("attendue");
        QTest::newRow("petite") << 12 << QColor(Qt::blue);
        QTest::newRow("exacte") << 16 << QColor(Qt::blue);
        QTest::newRow("entre les deux") << 25 << QColor(Qt::red);
        QTest::newRow("plus grande que tout") << 40 << QColor(Qt::red);
    }

    void iconeAPlusieursTailles() {
        QFETCH(int, cote);
        QFETCH(QColor, attendue);
        QTemporaryDir dossier;
        QFile fichier(dossier.filePath(u"deux.ico"_s));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write(iconeDeuxTailles());
        fichier.close();
        const QImage image = Charger_Image(fichier.fileName(), QSize(cote, cote)).toImage();
        QCOMPARE(image.size(), QSize(cote, cote));
        QCOMPARE(image.pixelColor(cote / 2, cote / 2).rgb(), attendue.rgb());
    }

    void couleur_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QColor>("attendue");
        QTest::newRow("vide") << "" << QColor(0, 0, 0);
        QTest::newRow("nul") << QString() << QColor(0, 0, 0);
        QTest::newRow("conception") << "16761024" << QColor(192, 192, 255);
        QTest::newRow("rouge") << "255" << QColor(255, 0, 0);
        QTest::newRow("blancs et suite") << "  65280 vert" << QColor(0, 255, 0);
        QTest::newRow("decimale arrondie") << "1.5" << QColor(2, 0, 0);
        QTest::newRow("egalite vers le pair") << "2.5" << QColor(2, 0, 0);
        QTest::newRow("texte") << "bleu" << QColor(0, 0, 0);
        QTest::newRow("-1 precede d'un blanc") << " -1" << QColor(255, 255, 255);
        QTest::newRow("au-dela de 24 bits") << "16777472" << QColor(0, 1, 0);
    }

    void couleur() {
        QFETCH(QString, texte);
        QFETCH(QColor, attendue);
        Execution x;
        x.env.ajouterCategorie(u"A"_s, QString(), u"1"_s, texte);
        construire(x.contexte(), x.principale);
        QCOMPARE(couleurDe(*lanceurs(x.contexte()).at(0)), attendue);
    }

    void couleursAleatoires() {
        GenerateurAleatoire reference;
        const QColor premiere = couleurTiree(reference);
        const QColor deuxieme = couleurTiree(reference);
        const QColor troisieme = couleurTiree(reference);
        const QColor quatrieme = couleurTiree(reference);

        for (int demarrage = 0; demarrage < 2; ++demarrage) {
            Execution x;
            x.env.ajouterCategorie(u"A"_s, QString(), u"1"_s, u"-1"_s);
            x.env.ajouterCategorie(u"B"_s, QString(), u"1"_s, u"255"_s);
            x.env.ajouterCategorie(u"C"_s, QString(), u"1"_s, u"-1"_s);
            construire(x.contexte(), x.principale);
            QList<frmDalvire*> f = lanceurs(x.contexte());
            QCOMPARE(couleurDe(*f.at(0)), premiere);
            QCOMPARE(couleurDe(*f.at(1)), QColor(255, 0, 0));
            QCOMPARE(couleurDe(*f.at(2)), deuxieme);

            // A rebuild within the run continues the sequence.
            fermer(x.contexte());
            construire(x.contexte(), x.principale);
            f = lanceurs(x.contexte());
            QCOMPARE(f.size(), 3);
            QCOMPARE(couleurDe(*f.at(0)), troisieme);
            QCOMPARE(couleurDe(*f.at(2)), quatrieme);
        }
    }

    void hauteurDeLEcran() {
        Execution x;
        const int hauteurEcran = QGuiApplication::primaryScreen()->availableGeometry().height();
        const int h = frmDalvire::tailleExterieure().height();
        // Only windows that fit whole are shown: one cut off by the bottom could not be used.
        const int tiennent = hauteurEcran / h;
        for (int i = 0; i < tiennent + 3; ++i)
            x.env.ajouterCategorie(u"Cat %1"_s.arg(i, 3, 10, QLatin1Char('0')), QString(), u"1"_s,
                                   u"0"_s);
        construire(x.contexte(), x.principale);
        QCOMPARE(x.messages(), QStringList{TropBas});
        const QList<frmDalvire*> f = lanceurs(x.contexte());
        QCOMPARE(f.size(), tiennent);
        QVERIFY(f.last()->frameGeometry().bottom() < hauteurEcran);
        QVERIFY(f.last()->isVisible());
    }

    void suiviEcrans_data() {
        QTest::addColumn<QRect>("nouvelle"); // the work area once the screens changed
        QTest::addColumn<bool>("dialogue");  // a dialog is open meanwhile
        QTest::addColumn<bool>("rebati");
        const QRect zone(0, 0, 1280, 1000);
        QTest::newRow("inchangee") << zone << false << false;
        QTest::newRow("plus petite") << QRect(0, 0, 1024, 744) << false << true;
        QTest::newRow("panneau en haut") << QRect(0, 24, 1280, 976) << false << true;
        QTest::newRow("sans ecran") << QRect() << false << false;
        QTest::newRow("sous un dialogue") << QRect(0, 0, 1024, 744) << true << true;
    }

    void suiviEcrans() {
        QFETCH(QRect, nouvelle);
        QFETCH(bool, dialogue);
        QFETCH(bool, rebati);
        QRect zone(0, 0, 1280, 1000);
        int rebatie = 0;
        SuiviEcrans suivi([&] { ++rebatie; }, nullptr, [&] { return zone; });
        zone = nouvelle;
        if (dialogue) {
            // The build waits for the dialog to close, then comes within a second.
            QDialog d;
            QTimer::singleShot(0, &d, [&] {
                suivi.verifier();
                QVERIFY(suivi.enAttente());
                QCOMPARE(rebatie, 0);
                d.reject();
            });
            d.exec();
            QTRY_COMPARE_WITH_TIMEOUT(rebatie, 1, 1000);
        } else {
            suivi.verifier();
            QCOMPARE(rebatie, rebati ? 1 : 0);
        }
        // Built for that area now: the same area again calls nothing.
        suivi.noterConstruction();
        suivi.verifier();
        QCOMPARE(rebatie, rebati ? 1 : 0);
    }

    void erreurDuCatalogue() {
        Execution x;
        x.env.ajouterCategorie(u"A"_s, QString(), u"1"_s, u"0"_s);
        x.env.executer(u"DROP TABLE programmes"_s);
        construire(x.contexte(), x.principale);
        // Read before any window is made: none is left behind, and the cause is in French.
        QCOMPARE(
            x.messages(),
            QStringList("Les fenêtres n'ont pas pu être construites : le fichier contenant les "
                        "données n'a pas pu être lu.\r\nLe fichier contenant les données n'a "
                        "pas accepté l'opération.\r\n[1]"));
        QCOMPARE(x.env.messages().vus.at(0).icone, IconeMessage::Exclamation);
        QVERIFY(lanceurs(x.contexte()).isEmpty());
    }

    void menuRelie() {
        Execution x;
        x.env.ajouterCategorie(u"A"_s, QString(), u"1"_s, u"0"_s);
        construire(x.contexte(), x.principale);
        frmDalvire* f = lanceurs(x.contexte()).at(0);
        QVERIFY(!x.principale.menuPrincipal().isVisible());
        Q_EMIT f->menuPrincipalDemande(QPoint(100, 100));
        QTRY_VERIFY(x.principale.menuPrincipal().isVisible());
        x.principale.menuPrincipal().hide();
    }

    void secondAppelAjouteUnJeu() {
        Execution x;
        x.env.ajouterCategorie(u"A"_s, QString(), u"1"_s, u"0"_s);
        construire(x.contexte(), x.principale);
        construire(x.contexte(), x.principale);
        QCOMPARE(lanceurs(x.contexte()).size(), 2);
    }

    void fenetresFermeesAvecLaPrincipale() {
        Environnement env{Environnement::lanceur()};
        env.ajouterCategorie(u"A"_s, QString(), u"1"_s, u"0"_s);
        env.ajouterCategorie(u"B"_s, QString(), u"1"_s, u"0"_s);
        auto principale = std::make_unique<frmPrincipale>(env.contexte());
        construire(env.contexte(), *principale);
        QList<QPointer<frmDalvire>> fenetres;
        for (frmDalvire* f : lanceurs(env.contexte())) {
            // Top-level windows of their own, transient for nothing.
            QVERIFY(!f->parent());
            fenetres << f;
        }
        QCOMPARE(fenetres.size(), 2);
        delete fenetres.at(0).data(); // closed on its own first, as the tray's closing does
        principale.reset();
        for (const auto& f : fenetres)
            QVERIFY(f.isNull());
        QVERIFY(env.contexte().fenetres().ouvertes<QWidget>().isEmpty());
    }
};

QTEST_MAIN(TestBandes)
#include "test_bandes.moc"
