// What the upgrade notice needs of the tutorial character: whether its speech
// window is on the screen (the notice's timer waits while it is). The
// character implements it.
#pragma once

namespace Tansywell {

class CharacterSpeech
{
public:
    CharacterSpeech();
    virtual ~CharacterSpeech();

    CharacterSpeech(const CharacterSpeech&) = delete;
    CharacterSpeech& operator=(const CharacterSpeech&) = delete;

    virtual bool IsWindowVisible() const = 0;
};

} // namespace Tansywell
