#include "game/GameCharacterSpeech.h"

#include "game/logic/Character.h"

namespace Tansywell {

GameCharacterSpeech::GameCharacterSpeech(const Character* character) : character_(character)
{}

bool GameCharacterSpeech::IsWindowVisible() const
{
    return character_->IsWindowVisible();
}

} // namespace Tansywell
