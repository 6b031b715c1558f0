// Program entry. The game's start-up is not built yet: say so and stop.
#include <cstdio>

int main()
{
    std::fprintf(stderr,
                 "Quillory cannot be played yet: the game's start-up is not built in this version.\n");
    return 1;
}
