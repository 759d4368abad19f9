// Plán úpravy osiva: start of the program.

#include "plan/Unit1.h"
#include "platform/guard.h"
#include "platform/singleinstance.h"

#include <QLocale>

int main(int argc, char* argv[])
{
    KetrixApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ketrix"));
    // A workstation without a configured locale still gets Czech dates and numbers.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));

    SingleInstance guard(QCoreApplication::applicationFilePath());
    if (!guard.isFirst())
        return 0;

    TForm1 form;
    guard.setWindow(&form);
    form.show();
    return app.exec();
}
