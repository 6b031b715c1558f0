#include <gtest/gtest.h>

#include "engine/render/DirectXResultTexts.h"
#include "engine/render/RenderSystemTestSupport.h"

using namespace OrrelayEngine;

TEST(DirectXResultTexts, TableHoldsEveryCodeOnceInAscendingOrder)
{
    const DirectXResultText* table = GetDirectXResultTable();
    ASSERT_LT(0u, GetDirectXResultCount());
    EXPECT_STRNE("", table[0].text);
    for (std::size_t i = 1; i < GetDirectXResultCount(); ++i) {
        EXPECT_LT(table[i - 1].code, table[i].code) << i;
        EXPECT_STRNE("", table[i].text);
    }
}

TEST(DirectXResultTexts, DescribesKnownAndUnknownCodes)
{
    const struct
    {
        std::uint32_t code;
        const char* text;
    } cases[] = {
        {0x80004005u, "There is an undefined error condition."},
        {0x8007000Eu, "DirectDraw does not have enough memory to perform the operation."},
        {0x80070057u, "One or more of the parameters passed to the method are incorrect."},
        {0x88760005u, "The object has already been initialized."},
        {0x887601C2u, "Access to the surface is refused because the surface memory is gone. Call the "
                      "IDirectDrawSurface7::Restore method on this surface to restore the memory associated with it."},
        {0x8876024Bu, "This surface cannot be restored because it was created in a different mode."},
        {0x8876014Fu, "There is no hardware support for vertical blank\xE2\x80\x93synchronized operations."},
        {0x80004002u, "Unknown error (Code: -2147467262)"},
        {0x88760006u, "Unknown error (Code: -2005532666)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, DescribeDirectXResult(static_cast<std::int32_t>(c.code))) << std::hex << c.code;
    }
}

TEST(DirectXResultTexts, CheckLogsOnlyFailures)
{
    RenderTest::NullRenderSystem fixture;
    RenderSystem_D3D7& rs = fixture.Start();
    const std::uint32_t before = fixture.log.GetMessageCount();
    rs.CheckResult("RenderSystem_D3D7::BeginScene", 0);
    rs.CheckResult("RenderSystem_D3D7::BeginScene", 1);
    rs.CheckResult("RenderSystem_D3D7::BeginScene", 0x7FFFFFFF);
    EXPECT_EQ(before, fixture.log.GetMessageCount());
    rs.CheckResult("RenderSystem_D3D7::BeginScene", static_cast<std::int32_t>(0x887601C2u));
    ASSERT_EQ(before + 1, fixture.log.GetMessageCount());
    EXPECT_EQ("Error: Direct3D Subsystem (RenderSystem_D3D7::BeginScene): Access to the surface is refused because "
              "the surface memory is gone. Call the IDirectDrawSurface7::Restore method on this surface to restore "
              "the memory associated with it.!\n",
              fixture.log.GetMessageAt(before).text);
    rs.CheckResult("Camera_D3D7::Apply", static_cast<std::int32_t>(0x80004002u));
    EXPECT_EQ("Error: Direct3D Subsystem (Camera_D3D7::Apply): Unknown error (Code: -2147467262)!\n",
              fixture.log.GetMessageAt(before + 1).text);
}
