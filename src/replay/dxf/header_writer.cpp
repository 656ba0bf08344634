#include "replay/dxf/write_sections.h"

namespace nimbo::replay::dxf {

namespace {

double NumberOf(const standalone::Drawing& drawing, const char* name) {
  const standalone::Variable* variable = drawing.FindVariable(name);
  if (variable == nullptr) return 0;
  const automation::Variant value = variable->value.Value();
  switch (value.Type()) {
    case automation::VarType::Integer:
      return value.AsInteger();
    case automation::VarType::Long:
      return value.AsLong();
    case automation::VarType::Double:
      return value.AsDouble();
    default:
      return 0;
  }
}

// A variable as read, but for the view the drawing now has ($VIEWCTR, $VIEWSIZE).
void WriteVariable(const WritePlan& plan, GroupWriter& out, const RawObject& variable) {
  const std::string name = variable.empty() ? "" : UpperName(variable.front().value);
  const host::Point3 center = plan.drawing.ViewCenter();
  for (const Group& group : variable) {
    if (name == "$VIEWCTR" && group.code == 10) {
      out.Real(10, center.x);
    } else if (name == "$VIEWCTR" && group.code == 20) {
      out.Real(20, center.y);
    } else if (name == "$VIEWSIZE" && group.code == 40) {
      out.Real(40, plan.drawing.ViewSize());
    } else {
      out.Raw(group);
    }
  }
}

}  // namespace

void WriteHeader(const WritePlan& plan, GroupWriter& out, uint64_t handleSeed) {
  out.Text(0, "SECTION");
  out.Text(2, "HEADER");
  out.Text(9, "$ACADVER");
  out.Text(1, plan.version);
  out.Text(9, "$DWGCODEPAGE");
  out.Text(3, "ANSI_1252");
  out.Text(9, "$HANDSEED");
  out.Handle(5, handleSeed);
  out.Text(9, "$CLAYER");
  out.Text(8, plan.drawing.CurrentLayer());
  out.Text(9, "$PDMODE");
  out.Integer(70, static_cast<int64_t>(NumberOf(plan.drawing, "PDMODE")));
  out.Text(9, "$PDSIZE");
  out.Real(40, NumberOf(plan.drawing, "PDSIZE"));
  for (const RawObject& variable : plan.retained.header) WriteVariable(plan, out, variable);
  out.Text(0, "ENDSEC");
}

}  // namespace nimbo::replay::dxf
