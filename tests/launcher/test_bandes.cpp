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

} // namespace

class TestBandes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aucuneCategorieAffichee();
    void ordreEmpilementEtContenu();
    void choixDesElements();
    void icone_data();
    void icone();
    void imageIllisible_data();
    void imageIllisible();
    void iconeAPlusieursTailles_data();
    void iconeAPlusieursTailles();
    void couleur_data();
    void couleur();
    void couleursAleatoires();
    void hauteurDeLEcran();
    void suiviEcrans_data();
    void suiviEcrans();
    void erreurDuCatalogue();
    void menuRelie();
    void secondAppelAjouteUnJeu();
    void fenetresFermeesAvecLaPrincipale();
};

void TestBandes::aucuneCategorieAffichee() {
    Execution x;
    x.env.ajouterCategorie(QStringLiteral("Cachee"), QString(), QStringLiteral("0"),
                           QStringLiteral("0"));
    x.env.ajouterCategorie(QStringLiteral("Sans drapeau"), QString(), QString(),
                           QStringLiteral("0"));
    construire(x.contexte(), x.principale);
    QCOMPARE(x.messages(), QStringList{AucuneFenetre});
    QCOMPARE(x.env.messages().vus.at(0).icone, IconeMessage::Information);
    QVERIFY(lanceurs(x.contexte()).isEmpty());
}

void TestBandes::ordreEmpilementEtContenu() {
    Execution x;
    x.env.ajouterCategorie(QStringLiteral("Zèbre"), QString(), QStringLiteral("1"),
                           QStringLiteral("255"));
    x.env.ajouterCategorie(QStringLiteral("alpha"), QString(), QStringLiteral("1"),
                           QStringLiteral("255"));
    x.env.ajouterCategorie(QStringLiteral("Bêta"), QString(), QStringLiteral("1"),
                           QStringLiteral("255"));
    x.env.ajouterCategorie(QStringLiteral("Masquée"), QString(), QStringLiteral("0"),
                           QStringLiteral("255"));
    construire(x.contexte(), x.principale);
    QVERIFY(x.messages().isEmpty());
    const QList<frmDalvire*> f = lanceurs(x.contexte());
    const QStringList noms{QStringLiteral("alpha"), QStringLiteral("Bêta"), QStringLiteral("Zèbre")};
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

void TestBandes::choixDesElements() {
    Execution x;
    const QString jeux = QStringLiteral("Jeux d'été");
    x.env.ajouterCategorie(jeux, QString(), QStringLiteral("1"), QStringLiteral("0"));
    x.env.ajouterCategorie(QStringLiteral("Vide"), QString(), QStringLiteral("1"),
                           QStringLiteral("0"));
    x.env.ajouterCategorie(QString(), QString(), QStringLiteral("1"), QStringLiteral("0"));
    x.env.ajouterCategorie(QStringLiteral(""), QString(), QStringLiteral("1"), QStringLiteral("0"));
    x.env.ajouterCategorie(QStringLiteral("Jeux d%"), QString(), QStringLiteral("1"),
                           QStringLiteral("0"));
    x.env.ajouterProgramme(QStringLiteral("Échecs"), QStringLiteral("/jeux/echecs"), jeux,
                           QStringLiteral("2"), QStringLiteral("0"));
    x.env.ajouterProgramme(QStringLiteral("dames"), QStringLiteral("/jeux/dames"),
                           QStringLiteral("JEUX D'ÉTÉ"), QStringLiteral("0"), QStringLiteral("1"));
    x.env.ajouterProgramme(QStringLiteral("Belote"), QString(), jeux, QString(), QString());
    x.env.ajouterProgramme(QStringLiteral(""), QStringLiteral("/sans/nom"), jeux,
                           QStringLiteral("1"), QStringLiteral("0"));
    x.env.ajouterProgramme(QString(), QStringLiteral("/nul"), jeux, QStringLiteral("1"),
                           QStringLiteral("0"));
    x.env.ajouterProgramme(QStringLiteral("Ailleurs"), QStringLiteral("/ailleurs"),
                           QStringLiteral("Jeux d"), QStringLiteral("1"), QStringLiteral("0"));
    construire(x.contexte(), x.principale);
    QVERIFY(x.messages().isEmpty());

    QCOMPARE(lanceurs(x.contexte()).size(), 3);
    // A pattern character in a name is a plain character.
    const frmDalvire* motif = parTag(x.contexte(), QStringLiteral("Jeux d%"));
    QVERIFY(motif);
    QCOMPARE(Liste(*motif)->count(), 0);
    const frmDalvire* trouvee = parTag(x.contexte(), jeux);
    QVERIFY(trouvee);
    const frmDalvire& j = *trouvee;
    QStringList lignes;
    for (const Element& e : j.lignes())
        lignes << e.nom + '|' + e.chemin + '|' + e.type.texte() + '|' + e.mode.texte();
    QCOMPARE(lignes, (QStringList{"Belote|||", "dames|/jeux/dames|1|0", "Échecs|/jeux/echecs|0|2"}));
    QCOMPARE(Liste(j)->itemText(2), QStringLiteral("Échecs"));
    QCOMPARE(Liste(j)->currentIndex(), -1);
    QVERIFY(Liste(j)->toolTip().isEmpty());
    const frmDalvire* vide = parTag(x.contexte(), QStringLiteral("Vide"));
    QVERIFY(vide);
    QCOMPARE(Liste(*vide)->count(), 0);
    // Nothing was launched while the lists were filled.
    QTest::qWait(20);
    QVERIFY(x.env.shell().appels.isEmpty());
}

void TestBandes::icone_data() {
    QTest::addColumn<QString>("fichier"); // written in the folder; "" none
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("chemin"); // relative to the folder, or absolute
    QTest::addColumn<bool>("imageApplication");
    QTest::newRow("chemin vide") << ""
                                 << ""
                                 << "" << true;
    QTest::newRow("fichier absent") << ""
                                    << ""
                                    << "absent.ico" << true;
    QTest::newRow("dossier") << ""
                             << ""
                             << "icones" << true;
    QTest::newRow("png") << "rouge.png"
                         << "png"
                         << "rouge.png" << false;
    QTest::newRow("bmp") << "rouge.bmp"
                         << "bmp"
                         << "rouge.bmp" << false;
    QTest::newRow("gif") << "rouge.gif"
                         << "gif"
                         << "rouge.gif" << false;
    QTest::newRow("jpeg") << "rouge.jpg"
                          << "jpg"
                          << "rouge.jpg" << false;
    QTest::newRow("ico") << "rouge.ico"
                         << "ico"
                         << "rouge.ico" << false;
    QTest::newRow("extension trompeuse") << "rouge.ico"
                                         << "png"
                                         << "rouge.ico" << false;
}

void TestBandes::icone() {
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
    x.env.ajouterCategorie(QStringLiteral("A"), icone, QStringLiteral("1"), QStringLiteral("0"));
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
void TestBandes::imageIllisible_data() {
    QTest::addColumn<QStringList>("icones"); // of categories A, B and C: "" none
    QTest::newRow("fichier texte au milieu") << QStringList{"", "texte", ""};
    QTest::newRow("image trop grande au milieu") << QStringList{"", "grande", ""};
    QTest::newRow("deux illisibles") << QStringList{"rouge", "texte", "grande"};
}

void TestBandes::imageIllisible() {
    QFETCH(QStringList, icones);
    Execution x;
    // Pictures above 2 MB once decoded are beyond the loader here.
    const int limite = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(2);
    const auto retablir = qScopeGuard([limite] { QImageReader::setAllocationLimit(limite); });
    const QString dossier = x.env.dossier();
    {
        QFile f(dossier + QStringLiteral("texte.ico"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ceci n'est pas une image");
    }
    QImage grande(1200, 1200, QImage::Format_RGB32);
    grande.fill(Qt::blue);
    QVERIFY(grande.save(dossier + QStringLiteral("grande.png")));
    QImage rouge(48, 48, QImage::Format_RGB32);
    rouge.fill(QColor(250, 0, 0));
    QVERIFY(rouge.save(dossier + QStringLiteral("rouge.png")));
    const QMap<QString, QString> fichiers{{"texte", dossier + "texte.ico"},
                                          {"grande", dossier + "grande.png"},
                                          {"rouge", dossier + "rouge.png"}};
    const QStringList noms{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (int i = 0; i < 3; ++i)
        x.env.ajouterCategorie(noms.at(i), fichiers.value(icones.at(i)), QStringLiteral("1"),
                               QStringLiteral("0"));

    construire(x.contexte(), x.principale);
    // Once for the build, naming the first picture that could not be read.
    QCOMPARE(x.messages(), QStringList{QStringLiteral("Image incorrecte : ") +
                                       fichiers.value(icones.at(1)) + QStringLiteral("\r\n[481]")});
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

void TestBandes::iconeAPlusieursTailles_data() {
    QTest::addColumn<int>("cote");
    QTest::addColumn<QColor>("attendue");
    QTest::newRow("petite") << 12 << QColor(Qt::blue);
    QTest::newRow("exacte") << 16 << QColor(Qt::blue);
    QTest::newRow("entre les deux") << 25 << QColor(Qt::red);
    QTest::newRow("plus grande que tout") << 40 << QColor(Qt::red);
}

void TestBandes::iconeAPlusieursTailles() {
    QFETCH(int, cote);
    QFETCH(QColor, attendue);
    QTemporaryDir dossier;
    QFile fichier(dossier.filePath(QStringLiteral("deux.ico")));
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(iconeDeuxTailles());
    fichier.close();
    const QImage image = Charger_Image(fichier.fileName(), QSize(cote, cote)).toImage();
    QCOMPARE(image.size(), QSize(cote, cote));
    QCOMPARE(image.pixelColor(cote / 2, cote / 2).rgb(), attendue.rgb());
}

void TestBandes::couleur_data() {
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

void TestBandes::couleur() {
    QFETCH(QString, texte);
    QFETCH(QColor, attendue);
    Execution x;
    x.env.ajouterCategorie(QStringLiteral("A"), QString(), QStringLiteral("1"), texte);
    construire(x.contexte(), x.principale);
    QCOMPARE(couleurDe(*lanceurs(x.contexte()).at(0)), attendue);
}

void TestBandes::couleursAleatoires() {
    GenerateurAleatoire reference;
    const QColor premiere = couleurTiree(reference);
    const QColor deuxieme = couleurTiree(reference);
    const QColor troisieme = couleurTiree(reference);
    const QColor quatrieme = couleurTiree(reference);

    for (int demarrage = 0; demarrage < 2; ++demarrage) {
        Execution x;
        x.env.ajouterCategorie(QStringLiteral("A"), QString(), QStringLiteral("1"),
                               QStringLiteral("-1"));
        x.env.ajouterCategorie(QStringLiteral("B"), QString(), QStringLiteral("1"),
                               QStringLiteral("255"));
        x.env.ajouterCategorie(QStringLiteral("C"), QString(), QStringLiteral("1"),
                               QStringLiteral("-1"));
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

void TestBandes::hauteurDeLEcran() {
    Execution x;
    const int hauteurEcran = QGuiApplication::primaryScreen()->availableGeometry().height();
    const int h = frmDalvire::tailleExterieure().height();
    // Only windows that fit whole are shown: one cut off by the bottom could not be used.
    const int tiennent = hauteurEcran / h;
    for (int i = 0; i < tiennent + 3; ++i)
        x.env.ajouterCategorie(QStringLiteral("Cat %1").arg(i, 3, 10, QLatin1Char('0')), QString(),
                               QStringLiteral("1"), QStringLiteral("0"));
    construire(x.contexte(), x.principale);
    QCOMPARE(x.messages(), QStringList{TropBas});
    const QList<frmDalvire*> f = lanceurs(x.contexte());
    QCOMPARE(f.size(), tiennent);
    QVERIFY(f.last()->frameGeometry().bottom() < hauteurEcran);
    QVERIFY(f.last()->isVisible());
}

void TestBandes::suiviEcrans_data() {
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

void TestBandes::suiviEcrans() {
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

void TestBandes::erreurDuCatalogue() {
    Execution x;
    x.env.ajouterCategorie(QStringLiteral("A"), QString(), QStringLiteral("1"),
                           QStringLiteral("0"));
    x.env.executer(QStringLiteral("DROP TABLE programmes"));
    construire(x.contexte(), x.principale);
    // Read before any window is made: none is left behind, and the cause is in French.
    QCOMPARE(x.messages(),
             QStringList("Les fenêtres n'ont pas pu être construites : le fichier contenant les "
                         "données n'a pas pu être lu.\r\nLe fichier contenant les données n'a "
                         "pas accepté l'opération.\r\n[1]"));
    QCOMPARE(x.env.messages().vus.at(0).icone, IconeMessage::Exclamation);
    QVERIFY(lanceurs(x.contexte()).isEmpty());
}

void TestBandes::menuRelie() {
    Execution x;
    x.env.ajouterCategorie(QStringLiteral("A"), QString(), QStringLiteral("1"),
                           QStringLiteral("0"));
    construire(x.contexte(), x.principale);
    frmDalvire* f = lanceurs(x.contexte()).at(0);
    QVERIFY(!x.principale.menuPrincipal().isVisible());
    Q_EMIT f->menuPrincipalDemande(QPoint(100, 100));
    QTRY_VERIFY(x.principale.menuPrincipal().isVisible());
    x.principale.menuPrincipal().hide();
}

void TestBandes::secondAppelAjouteUnJeu() {
    Execution x;
    x.env.ajouterCategorie(QStringLiteral("A"), QString(), QStringLiteral("1"),
                           QStringLiteral("0"));
    construire(x.contexte(), x.principale);
    construire(x.contexte(), x.principale);
    QCOMPARE(lanceurs(x.contexte()).size(), 2);
}

void TestBandes::fenetresFermeesAvecLaPrincipale() {
    Environnement env{Environnement::lanceur()};
    env.ajouterCategorie(QStringLiteral("A"), QString(), QStringLiteral("1"), QStringLiteral("0"));
    env.ajouterCategorie(QStringLiteral("B"), QString(), QStringLiteral("1"), QStringLiteral("0"));
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

QTEST_MAIN(TestBandes)
#include "test_bandes.moc"
