#include "game/gui/CharacterSpeech.h"

namespace Tansywell {

CharacterSpeech::CharacterSpeech() = default;

CharacterSpeech::~CharacterSpeech() = default;

} // namespace Tansywell
