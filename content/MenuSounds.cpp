#include "content/MenuSounds.h"

#include "content/AssetRecipe.h"
#include "content/ContentHash.h"
#include "content/DataSetBuilder.h"
#include "content/EffectSynth.h"
#include "engine/core/Error.h"

namespace Content {

namespace {

using Tone = EffectSynth::Tone;
using Noise = EffectSynth::Noise;
using Wave = EffectSynth::Wave;

// Raised whenever a sound's recipe changes, so that cached files are made again.
constexpr const char* kRecipeVersion = "menu sounds 2";
constexpr double kTickPeakDbfs = -8.0;
constexpr double kEffectPeakDbfs = -4.0;
// Loops hold their level, so they sit lower than the short sounds to seem as loud.
constexpr double kLoopPeakDbfs = -12.0;

// A soft tick: a short sine with a breath of noise at its front, let die away.
std::vector<std::uint8_t> ButtonSelect(double frequency, std::uint32_t seed)
{
    EffectSynth synth(0.07, seed);
    synth.AddTone(Tone{0.0, 0.07, frequency, 0.0, 0.6, 0.001, 0.008, 0.004});
    synth.AddTone(Tone{0.0, 0.05, frequency * 2.0, 0.0, 0.12, 0.001, 0.004, 0.004});
    synth.AddNoise(Noise{0.0, 0.006, 0.25, 0.0005, 0.0015, 0.002, 5000.0, 0.0, 1.2});
    return synth.BuildWav(kTickPeakDbfs);
}

// A rounded click: a short low thump falling in pitch under a muffled snap.
std::vector<std::uint8_t> ButtonClick(std::uint32_t seed)
{
    EffectSynth synth(0.09, seed);
    synth.AddTone(Tone{0.0, 0.09, 700.0, 380.0, 0.7, 0.0015, 0.018, 0.01});
    synth.AddTone(Tone{0.0, 0.05, 1400.0, 900.0, 0.15, 0.001, 0.008, 0.01});
    synth.AddNoise(Noise{0.0, 0.012, 0.35, 0.0005, 0.003, 0.004, 2200.0, 900.0, 0.9});
    return synth.BuildWav(kEffectPeakDbfs - 1.0);
}

// A light key tick: a bright noise flick with a faint high ping.
std::vector<std::uint8_t> EditBoxPrint(std::uint32_t seed)
{
    EffectSynth synth(0.035, seed);
    synth.AddNoise(Noise{0.0, 0.02, 0.8, 0.0003, 0.004, 0.004, 3800.0, 3000.0, 1.6});
    synth.AddTone(Tone{0.0, 0.03, 2900.0, 0.0, 0.1, 0.0005, 0.006, 0.004});
    return synth.BuildWav(kTickPeakDbfs - 2.0);
}

// An airy swish through a moving band of noise, and a soft chime where it lands.
std::vector<std::uint8_t> WindowSwish(bool up, std::uint32_t seed)
{
    EffectSynth synth(0.8, seed);
    const double low = 500.0;
    const double high = 4200.0;
    // The swell starts at once, so the window's movement and its sound begin together.
    synth.AddNoise(Noise{0.0, 0.42, 0.9, 0.05, 0.0, 0.2, up ? low : high, up ? high : low, 1.4});
    synth.AddNoise(
        Noise{0.0, 0.4, 0.4, 0.05, 0.0, 0.18, up ? low * 1.5 : high * 0.8, up ? high * 0.8 : low * 1.5, 3.0});
    const double chimeStart = up ? 0.3 : 0.0;
    const double chime = up ? 1318.5 : 987.8;
    synth.AddBell(chimeStart, chime, 0.2, 0.12);
    synth.AddBell(chimeStart + 0.03, chime * 1.5, 0.1, 0.1);
    return synth.BuildWav(kEffectPeakDbfs);
}

// A rising arpeggio in C major, each note a bell, with a sparkle at the top.
std::vector<std::uint8_t> Upgrade(std::uint32_t seed)
{
    EffectSynth synth(1.2, seed);
    const double notes[] = {523.25, 659.26, 783.99, 1046.5, 1318.5};
    for (int i = 0; i < 5; ++i) {
        const double start = 0.09 * i;
        synth.AddBell(start, notes[i], 0.3 + 0.03 * i, i == 4 ? 0.22 : 0.14);
        synth.AddTone(Tone{start, 0.25, notes[i] / 2.0, 0.0, 0.12, 0.004, 0.08, 0.02, Wave::kTriangle});
    }
    synth.AddBell(0.45, 2093.0, 0.12, 0.18);
    synth.AddNoise(Noise{0.36, 0.7, 0.12, 0.05, 0.18, 0.3, 6000.0, 7500.0, 2.5});
    return synth.BuildWav(kEffectPeakDbfs);
}

// A soft major chord with a slow swell, one second round.
std::vector<std::uint8_t> VolumeSlider(std::uint32_t seed)
{
    EffectSynth synth = EffectSynth::Loop(EffectSynth::kSampleRate, seed);
    const double chord[] = {261.63, 329.63, 392.0, 523.25};
    const double levels[] = {0.5, 0.35, 0.35, 0.15};
    for (int i = 0; i < 4; ++i) {
        Tone tone{0.0, 1.0, synth.WholeCycles(chord[i]), 0.0, levels[i], 0.0, 0.0, 0.0};
        tone.tremoloHz = 2.0;
        tone.tremoloDepth = 0.25;
        tone.tremoloPhase = 0.25 * i;
        synth.AddTone(tone);
    }
    return synth.BuildWav(kLoopPeakDbfs);
}

// Coin ticks, four in each half second, each a quick two-step ping.
std::vector<std::uint8_t> ChargeScore(std::uint32_t seed)
{
    EffectSynth synth = EffectSynth::Loop(EffectSynth::kSampleRate / 2, seed);
    for (int i = 0; i < 4; ++i) {
        const double start = 0.125 * i;
        const double lift = i % 2 == 0 ? 1.0 : 1.122;
        synth.AddTone(Tone{start, 0.05, synth.WholeCycles(1975.5 * lift), 0.0, 0.35, 0.0008, 0.012, 0.004});
        synth.AddTone(Tone{start + 0.03, 0.2, synth.WholeCycles(2637.0 * lift), 0.0, 0.3, 0.0008, 0.035, 0.02});
    }
    return synth.BuildWav(kLoopPeakDbfs + 1.0);
}

// A shimmer: high partials of an A major chord, each twinkling at its own pace.
std::vector<std::uint8_t> ChargeMana(std::uint32_t seed)
{
    EffectSynth synth = EffectSynth::Loop(EffectSynth::kSampleRate, seed);
    struct Partial
    {
        double frequency;
        double level;
        double twinkleHz;
        double phase;
    };
    const Partial partials[] = {
        {440.0, 0.25, 1.0, 0.0},  {880.0, 0.2, 3.0, 0.1},   {1108.7, 0.18, 5.0, 0.3}, {1318.5, 0.18, 4.0, 0.55},
        {1760.0, 0.14, 7.0, 0.2}, {2217.5, 0.1, 6.0, 0.75}, {2637.0, 0.08, 9.0, 0.4}, {3520.0, 0.05, 11.0, 0.9},
    };
    for (const Partial& partial : partials) {
        Tone tone{0.0, 1.0, synth.WholeCycles(partial.frequency), 0.0, partial.level, 0.0, 0.0, 0.0};
        tone.tremoloHz = partial.twinkleHz;
        tone.tremoloDepth = 0.8;
        tone.tremoloPhase = partial.phase;
        synth.AddTone(tone);
    }
    return synth.BuildWav(kLoopPeakDbfs);
}

} // namespace

const std::vector<MenuSounds::Description>& MenuSounds::GetSounds()
{
    static const std::vector<Description> kSounds = {
        {"button_select_0", false}, {"button_select_1", false},  {"button_click", false}, {"edit_box_print", false},
        {"window_appear", false},   {"window_disappear", false}, {"upgrade", false},      {"volume_slider", true},
        {"charge_score", true},     {"charge_mana", true},
    };
    return kSounds;
}

std::string MenuSounds::GetPackPath(const std::string& name)
{
    return "data\\audio\\menu\\" + name + ".wav";
}

std::vector<std::uint8_t> MenuSounds::Make(const std::string& name)
{
    const std::uint32_t seed = ContentHash::SeedOf(GetPackPath(name));
    // A fifth apart, so that alternating hovers answer each other.
    if (name == "button_select_0") {
        return ButtonSelect(1174.66, seed);
    }
    if (name == "button_select_1") {
        return ButtonSelect(1174.66 * 1.5, seed);
    }
    if (name == "button_click") {
        return ButtonClick(seed);
    }
    if (name == "edit_box_print") {
        return EditBoxPrint(seed);
    }
    if (name == "window_appear" || name == "window_disappear") {
        return WindowSwish(name == "window_appear", seed);
    }
    if (name == "upgrade") {
        return Upgrade(seed);
    }
    if (name == "volume_slider") {
        return VolumeSlider(seed);
    }
    if (name == "charge_score") {
        return ChargeScore(seed);
    }
    if (name == "charge_mana") {
        return ChargeMana(seed);
    }
    throw OrrelayEngine::Error("no menu sound is called \"" + name + "\"");
}

void MenuSounds::AddRecipes(DataSetBuilder& builder)
{
    for (const Description& sound : GetSounds()) {
        AssetRecipe recipe;
        recipe.origin = std::string("menu sound ") + sound.name;
        recipe.packPaths = {GetPackPath(sound.name)};
        recipe.parameters = kRecipeVersion;
        const std::string name = sound.name;
        recipe.make = [name]() { return AssetRecipe::Outputs{Make(name)}; };
        builder.Add(std::move(recipe));
    }
}

} // namespace Content
