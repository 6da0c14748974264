// korvena: the desktop program.
#include "qt/qt_prompter.h"
#include "ui/child_factory.h"
#include "ui/korvena_app.h"
#include "ui/main_form.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    kvf::QtPrompter prompter;
    std::vector<std::string> args(argv, argv + argc);
    kvf::TKorvenaChildFactory children;
    kvf::TKorvenaApp app(prompter, args, QCoreApplication::applicationDirPath().toStdString(), &children);
    if (!app.Start()) {
        app.Finish();
        return 1;
    }
    prompter.SetParent(app.MainForm());
    return app.Run();
}
