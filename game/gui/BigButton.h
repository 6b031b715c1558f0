// The button most screens of this game use: placed by a layout model of the
// resource set, looking like the big button (its look, hit area and text
// area).
#pragma once

namespace OrrelayEngine {
class Engine;
class GUIWindow;
class Model;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;
class GUIControl;

// The caller owns the control.
GUIControl* CreateBigButton(OrrelayEngine::Engine* engine, const GameData* data, const OrrelayEngine::Model* layout,
                            OrrelayEngine::GUIWindow* parent);

} // namespace Tansywell
