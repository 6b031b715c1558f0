// Program entry: the game runs inside its loader; the exit status says
// whether it ended normally (0) or after an error (1).
#include <string>

#include "game/GameLoader.h"

int main(int argc, char** argv)
{
    // The game takes nothing from its command line; it is only handed on.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return Tansywell::GameLoader::RunProgram(commandLine);
}
