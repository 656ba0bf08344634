// The library from JScript: Bound created by its ProgID, set and read, an error as the
// script sees it, and the classes that clients may not create refused.
var b = new ActiveXObject("VeskNimboDock17.Bound");
b.SetValues(1, 2, 3, 4, 5, 6, 7, 8);
WScript.Echo("SetValues: " + [b.ULx, b.ULy, b.URx, b.URy, b.LRx, b.LRy, b.LLx, b.LLy].join(" ") +
             " initialized " + b.initialized);
b.LLy = -0.25;
WScript.Echo("put: " + b.LLy);
function describe(e) {
  return (e.number & 0xFFFF) + " | " + e.description;
}
try {
  b.ULx = "abc";
} catch (e) {
  WScript.Echo("put text: " + describe(e));
}
var names = ["Extent", "AcadColors"];
for (var i = 0; i < names.length; ++i) {
  try {
    new ActiveXObject("VeskNimboDock17." + names[i]);
    WScript.Echo(names[i] + ": created");
  } catch (e) {
    WScript.Echo(names[i] + ": " + describe(e));
  }
}
