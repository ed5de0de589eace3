#include "app/SingleInstanceGuard.h"

#include <QTextStream>

#include <cstdio>

// Takes the guard of the name given as argument, prints "acquired" or
// "refused" and holds the guard until its standard input closes.
int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    SingleInstanceGuard guard(QString::fromLocal8Bit(argv[1]));
    std::printf("%s\n", guard.alreadyRunning() ? "refused" : "acquired");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
