// Zelvora: practice for Brazil's public-service entrance exams.
#include "app/ZelvoraApplication.h"

int main(int argc, char** argv)
{
    zelvora::app::ZelvoraApplication app(argc, argv);
    app.createWindows();
    return app.run();
}
