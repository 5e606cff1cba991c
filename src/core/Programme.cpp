#include "core/Programme.h"

#include "core/Contexte.h"
#include "core/Parametres.h"
#include "core/frmIntro.h"
#include "platform/Aide.h"
#include "platform/AideChm.h"
#include "platform/Autostart.h"
#include "platform/Instance.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/ShellGio.h"
#include "tray/frmPrincipale.h"

#include <QApplication>

#include <memory>

ServicesPlateforme ServicesPlateforme::reels() {
    ServicesPlateforme s;
    s.parametres = std::make_unique<ParametresQSettings>();
    s.messages = std::make_unique<MessagesQt>();
    s.demarrageSession = std::make_unique<AutostartXdg>();
    s.shell = std::make_unique<ShellGio>();
    s.aide = std::make_unique<AideChm>();
    return s;
}

int Executer_Dalvire(QApplication& application) {
    Contexte contexte(QCoreApplication::applicationDirPath(), ServicesPlateforme::reels());
    VerrouInstance verrou;
    frmIntro intro(contexte, verrou);
    intro.compterDepuis(Debut_Processus());
    if (!intro.Form_Load()) return 0;

    intro.show();
    // Made while the splash is up and loaded when it goes: making the object (its menu,
    // its icon) is then off the way from the splash to the windows.
    auto principale = std::make_unique<frmPrincipale>(contexte);
    QObject::connect(principale.get(), &frmPrincipale::dechargee, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(&intro, &frmIntro::dechargee, &application, [&principale] {
        if (!principale->Form_Load()) QCoreApplication::exit(1);
    });
    const int code = application.exec();
    principale.reset();
    return code;
}
