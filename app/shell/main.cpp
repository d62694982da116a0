#include "app/shell/varnholt_app.h"

int main(int argc, char** argv)
{
    CVarnholtApp app(argc, argv);
    if (!app.Start()) return 1;
    return app.exec();
}
