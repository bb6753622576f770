#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "glyphora/tools/option_buttons.h"
#include "glyphora/tools/tool_select.h"
#include "platform/system_error.h"

namespace {

using namespace glyphora;

std::vector<std::string> g_calls;

void Log(int tool, const std::string& what) { g_calls.push_back(std::to_string(tool) + " " + what); }

// Handlers that say whose they are.
template <int Tool>
struct Logging {
  static void Temp(Document*, int leaving, int spare) {
    Log(Tool, "temp " + std::to_string(leaving) + " " + std::to_string(spare));
  }
  static void Idle(Document*) { Log(Tool, "idle"); }
  static void Key(Document*, int) { Log(Tool, "key"); }
  static void Mouse(Document*, int, int, int) { Log(Tool, "mouse"); }
  static void Active(Document*, int flag) { Log(Tool, "active " + std::to_string(flag)); }
  static void Buttons(Document*, int flag) { Log(Tool, "buttons " + std::to_string(flag)); }
  static void Recalc(Document*) { Log(Tool, "recalc"); }
  static void Placing(Document*, int, int) { Log(Tool, "placing"); }
  static ToolHandlers All() {
    return {Temp, Idle, Key, Mouse, Active, Buttons, Recalc, Placing};
  }
};

template <int... Tools>
void OwnSets(ToolHandlers* sets, std::integer_sequence<int, Tools...>) {
  ((sets[Tools] = Logging<Tools>::All()), ...);
}

// The tool whose handler fills each slot ("-" for none), in slot order.
std::string Owners(const ToolHandlers& h, const ToolHandlers own[k_toolCount]) {
  std::string owners;
  for (int slot = 0; slot < 8; ++slot) {
    char owner = '-';
    for (int t = 0; t < k_toolCount; ++t) {
      const ToolHandlers& o = own[t];
      bool same[8] = {h.temp && h.temp == o.temp,       h.idle && h.idle == o.idle,
                      h.key && h.key == o.key,          h.mouse && h.mouse == o.mouse,
                      h.active && h.active == o.active, h.buttons && h.buttons == o.buttons,
                      h.recalc && h.recalc == o.recalc, h.placing && h.placing == o.placing};
      if (same[slot]) owner = static_cast<char>('0' + t);
    }
    owners += owner;
  }
  return owners;
}

struct Tools {
  ToolHandlers own[k_toolCount];
  ToolRecord table[k_toolCount];
  Tools() {
    OwnSets(own, std::make_integer_sequence<int, k_toolCount>());
    ToolTableBuild(own, table);
  }
};

TEST(ToolTable, RecordsInToolOrder) {
  struct Row {
    int top, icon, name, help;
    const char* nameText;
    const char* owners;  // Temp Idle Key Mouse Active Buttons Recalc Placing
  };
  const Row rows[k_toolCount] = {
      {3, 128, 1, 2, "Select Tool", "00000000"},  {39, 130, 5, 6, "Text Tool", "00111111"},
      {72, 131, 7, 8, "Big Text Tool", "00211221"}, {108, 132, 9, 10, "Pencil Tool", "--33-3-3"},
      {141, 133, 11, 12, "Rubber Tool", "--44-4-4"}, {174, 134, 13, 14, "Bucket Tool", "--55-5-5"},
      {210, 135, 15, 16, "Line Tool", "--66-6-6"},  {243, 136, 17, 18, "Circle Tool", "--77-7-7"},
      {276, 137, 19, 20, "Rectangle Tool", "--88-8-8"},
  };
  Tools tools;
  for (int t = 0; t < k_toolCount; ++t) {
    const ToolRecord& r = tools.table[t];
    SCOPED_TRACE(t);
    EXPECT_EQ(r.buttonTop, rows[t].top);
    EXPECT_EQ(r.iconResource, rows[t].icon);
    EXPECT_EQ(r.nameString, rows[t].name);
    EXPECT_EQ(r.helpString, rows[t].help);
    EXPECT_STREQ(ToolString(r.nameString), rows[t].nameText);
    EXPECT_NE(ToolString(r.helpString), nullptr);
    EXPECT_EQ(Owners(r.handlers, tools.own), rows[t].owners);
  }
  EXPECT_STREQ(ToolString(3), "Picture Selection");
  EXPECT_STREQ(ToolString(4), "Table Selection");
  EXPECT_STREQ(ToolString(12), "Use to erase characters.");
  EXPECT_EQ(ToolString(23), nullptr);
}

class RecordingPainter : public ToolButtonPainter {
 public:
  void DrawButton(int tool) override { Log(tool, "paint"); }
};

TEST(ToolSelect, LeavesTheOldToolThenEntersTheNewOne) {
  struct Step {
    int tool;
    std::vector<std::string> calls;
  };
  const Step steps[] = {
      {3, {"0 temp 1 0", "0 active 0", "0 buttons 0", "0 paint", "3 buttons 1", "3 paint"}},
      {2, {"3 buttons 0", "3 paint", "1 active 1", "0 temp 0 0", "2 buttons 1", "2 paint"}},
      {1, {"0 temp 1 0", "1 active 0", "2 buttons 0", "2 paint", "1 active 1", "0 temp 0 0",
           "1 buttons 1", "1 paint"}},
  };
  Tools tools;
  Document* doc = nullptr;
  ASSERT_EQ(DocumentCreate(&doc, nullptr, 4, 2), 0);
  RecordingPainter painter;
  for (const Step& step : steps) {
    g_calls.clear();
    EXPECT_EQ(ToolSelect(doc, tools.table, step.tool, &painter), 0);
    EXPECT_EQ(g_calls, step.calls) << "to tool " << step.tool;
    EXPECT_EQ(doc->current.tool, step.tool);
  }
  g_calls.clear();
  for (int bad : {-1, k_toolCount})
    EXPECT_EQ(ToolSelect(doc, tools.table, bad, &painter), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(g_calls.empty());
  EXPECT_EQ(doc->current.tool, 1);
  DocumentKill(doc);
}

TEST(OptionButtons, StackByTheirHeights) {
  const ButtonKind kinds[] = {ButtonKind::Transparent, ButtonKind::BigTextFont, ButtonKind::Justification,
                              ButtonKind::RuleMode};
  int tops[4] = {};
  EXPECT_EQ(ButtonStack(kinds, 4, 310, tops), 310 + 32 + 96 + 32 + 32);
  EXPECT_EQ((std::vector<int>(tops, tops + 4)), (std::vector<int>{310, 342, 438, 470}));
  for (int k = 0; k < k_buttonKindCount; ++k)
    EXPECT_EQ(ButtonHeight(static_cast<ButtonKind>(k)), k == 3 ? 96 : 32) << k;
}

}  // namespace
