// The tutorial character as the upgrade notice sees it: whether its speech
// window is on the screen. The notice is made before it knows of the
// character's class, so the game links the two through this.
#pragma once

#include "game/gui/CharacterSpeech.h"

namespace Tansywell {

class Character;

class GameCharacterSpeech : public CharacterSpeech
{
public:
    // character is borrowed and must outlive this.
    explicit GameCharacterSpeech(const Character* character);

    bool IsWindowVisible() const override;

private:
    const Character* character_;
};

} // namespace Tansywell
