// A board with the presentation around it, for the tests of the character,
// the board camera, the environment and the tutorial: box models for the
// character and the borders, the camera variables the game registers, a
// camera file, speech texts by hand, and input delivered as the devices
// would.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "platform/InputDevice.h"
#include "tests/game/BoardHarness.h"

namespace PresentationTests {

class PresentationHarness
{
public:
    static constexpr char kCameraFile[] = "data/boards/test_camera.ini";

    PresentationHarness(std::uint32_t width, std::uint32_t height) : h(width, height)
    {
        OrrelayEngine::Config* config = h.engine->GetConfig();
        config->AddVariable("g_camera_type", OrrelayEngine::kConfigString, false, false, &cameraType, "1", false);
        config->AddVariable("g_camera_value", OrrelayEngine::kConfigString, false, false, &cameraValue, "1", false);
        h.game.Write(kCameraFile, "100 10 300 20 400\n");
        level.cameraName = "test_camera";

        Tansywell::GameData& data = h.game.data;
        data.character = Box(1.0f);
        for (Tansywell::GameData::Model*& bubble : data.characterText)
            bubble = Box(2.0f);
        // Each border piece a little larger than the one before, so a copy
        // tells its direction; they replace the loaded ones.
        data.borders.clear();
        for (std::uint32_t direction = 0; direction < 6; ++direction)
            data.borders.push_back(Box(10.0f + static_cast<float>(direction)));
    }

    ~PresentationHarness()
    {
        // The configuration outlives these values' storage.
        h.engine->GetConfig()->SetReadOnly("g_camera_type");
        h.engine->GetConfig()->SetReadOnly("g_camera_value");
    }

    Tansywell::GameData::Model* Box(float size)
    {
        boxes_.emplace_back(h.engine->GetModelManager()->CreateBox(OrrelayEngine::Vector3(),
                                                                   OrrelayEngine::Vector3(size, size, size), nullptr,
                                                                   nullptr, OrrelayEngine::Model::kFlagVertexColor));
        return boxes_.back().get();
    }

    void Text(const std::string& key, const std::wstring& text)
    {
        h.engine->GetGUIManager()->GetTextManager()->SetText(key, text);
    }

    // A key (device code) or mouse button goes down and up within the frame.
    void PressKey(std::uint32_t code)
    {
        Deliver(Platform::InputDeviceKind::Keyboard, code, Platform::kInputDownFlag);
        Deliver(Platform::InputDeviceKind::Keyboard, code, 0);
    }
    void Wheel(std::int32_t notches)
    {
        Deliver(Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetWheel, notches * Platform::kWheelUnitsPerNotch);
    }
    // Reads what was delivered as this frame's input.
    void ReadInput() { h.game.tools.ReadInput(); }
    void EndInputFrame() { h.game.tools.EndFrame(); }

    std::string cameraType = "1";
    std::string cameraValue = "1";
    BoardTests::BoardHarness h;
    Tansywell::GameLevelRecord level;

private:
    static void Deliver(Platform::InputDeviceKind device, std::uint32_t offset, std::int32_t data)
    {
        Platform::InputDevice::Deliver(Platform::InputEvent{device, offset, data});
    }

    std::vector<std::unique_ptr<Tansywell::GameData::Model>> boxes_;
};

} // namespace PresentationTests
