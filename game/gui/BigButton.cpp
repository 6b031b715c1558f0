#include "game/gui/BigButton.h"

#include "game/GameData.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

GUIControl* CreateBigButton(OrrelayEngine::Engine* engine, const GameData* data, const OrrelayEngine::Model* layout,
                            OrrelayEngine::GUIWindow* parent)
{
    const GameData::ButtonLook& big = data->controls.buttonBig;
    return new GUIControl(engine, data, GUIControl::kButton, layout, big.look, big.selectionArea, big.textArea, parent);
}

} // namespace Tansywell
