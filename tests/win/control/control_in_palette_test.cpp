// DockControl as an ActiveX control in a palette of ours, under Wine with a display: the
// palette creates it by class (known to this process only), sites it and activates it in
// place; the control's Show, Resize, Command1_Click and Terminate reach the stand-ins of
// the viewer and the CAD application through COM, and closing it gives back every
// reference it took.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dock_container_standin.h"
#include "shell/dock_control.h"
#include "standalone/embedded_default.h"
#include "win/com/error_from_call.h"
#include "win/com/process_classes.h"
#include "win/com/table_dispatch.h"
#include "win/control/dock_control_factory.h"
#include "win/control/dock_control_object.h"
#include "win/host/com_running_objects.h"
#include "win/palette/palette_window.h"
#include "win/standins/cad_standin.h"
#include "win/standins/viewer_standin.h"

namespace nimbo::win::test {

using palette::Palette;
using palette::PumpMessages;
namespace {

using automation::Variant;

// The count of references to `object`, looked at without changing it.
ULONG HeldByOthers(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// The _DockControl dispatch as the library's server would make it, cut down to AddLayer.
com::ComPtr<IDispatch> LayerDispatch(shell::DockControl& core) {
  com::DispatchDescription description;
  description.members.push_back({"AddLayer", 1, [&core](std::span<Variant> arguments) {
                                   std::string name = arguments[0].Value().AsString();
                                   core.AddLayer(name);
                                   return Variant();
                                 }});
  return com::ComPtr<IDispatch>(com::TableDispatch::Create(std::move(description)).Get());
}

// Where the control's child window is, in the control's client pixels.
RECT ChildRect(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// What Resize makes of the control's size: the button at the bottom, centred, in pixels.
RECT ExpectedButton(HWND controlWindow) {
  RECT client{};
  GetClientRect(controlWindow, &client);
  const control::PixelsPerInch dpi = control::ScreenPixelsPerInch();
  const float w = static_cast<float>(control::PixelsToTwips(client.right, dpi.x));
  const float h = static_cast<float>(control::PixelsToTwips(client.bottom, dpi.y));
  const int left = control::TwipsToPixels(w / 2.0f - 2745.0f / 2.0f, dpi.x);
  const int top = control::TwipsToPixels(h - 420.0f, dpi.y);
  return RECT{left, top, left + control::TwipsToPixels(2745, dpi.x),
              top + control::TwipsToPixels(420, dpi.y)};
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

TEST(ControlInPaletteTest, LivesThroughShowResizeClickAndCloseAndGivesBackEveryReference) {
  standalone::EmbeddedDefault world{shell::kLibraryName};
  world.application->AddDocument("Site.dwg");
  world.application->Activate("Site.dwg");
  world.person.Give(standalone::PointAnswer{nimbo::host::Point3{100, 200, 0}});
  standins::ViewerStandin viewerStandin(world.viewer);
  standins::CadStandin cadStandin(world.application);
  IUnknown* viewerObject = static_cast<IDispatch*>(&viewerStandin.Object());
  IUnknown* cadObject = static_cast<IDispatch*>(&cadStandin.Object());
  const ULONG viewerHeld = HeldByOthers(viewerObject);
  const ULONG cadHeld = HeldByOthers(cadObject);

  control::DockControlParts parts;
  parts.runningObjects = std::make_shared<win::host::ComRunningObjects>();
  parts.dialogs = std::shared_ptr<nimbo::host::Dialogs>(&world.dialogs, [](auto*) {});
  parts.locale = world.locale;
  parts.clock = world.clock.get();
  parts.makeDispatch = LayerDispatch;
  com::ProcessClass controlClass(control::kDockControlClass, "VeskNimboDock17.DockControl",
                                 [parts] { return control::CreateDockControl(parts); });
  DockContainerStandin container;

  Palette palette(control::kDockControlClass, 480, 460);
  PumpMessages();
  control::DockControlObject* object = control::DockControlObject::Of(palette.Control());
  ASSERT_NE(object, nullptr);
  object->AddRef();  // to see it go at the end
  HWND controlWindow = object->Window();
  ASSERT_NE(controlWindow, nullptr);
  EXPECT_EQ(GetParent(controlWindow), palette.Window());
  EXPECT_TRUE(IsWindowVisible(controlWindow));
  // Show ran (the journal below has its call of the viewer): it attached to the application.
  EXPECT_TRUE(object->Core().State().acadApp);
  EXPECT_TRUE(object->Core().ViewerEventsBound());

  // The container hands itself over, then a drawing becomes active.
  com::ComPtr<control::IRetrieveDockableContainer> retrieval;
  palette.Control()->QueryInterface(control::kRetrieveDockableContainer, retrieval.PutVoid());
  ASSERT_TRUE(retrieval);
  ASSERT_EQ(retrieval->SetDockContainer(&container), S_OK);
  EXPECT_EQ(container.calls, (std::vector<std::pair<int, LONG>>{{8, 20480}}));
  // An object that is not a container is refused as a type mismatch, and the one handed
  // over stays.
  const HRESULT refused =
      retrieval->SetDockContainer(static_cast<IDispatch*>(object->Viewer().Site()));
  EXPECT_EQ(com::ErrorFromFailedCall(refused, nullptr, retrieval.Get(),
                                     control::kRetrieveDockableContainer)
                .number(),
            automation::errors::kTypeMismatch);
  EXPECT_EQ(container.calls.size(), 1U);
  EXPECT_EQ(container.Sinks(), 1U);
  retrieval.Reset();
  {
    com::DispatchObject application{com::ComPtr<IDispatch>(&cadStandin.Object())};
    auto document = std::dynamic_pointer_cast<com::DispatchObject>(
        application.Get("ActiveDocument").Value().AsObject());
    ASSERT_TRUE(document);
    container.ActivateDocument(document);
  }
  EXPECT_TRUE(object->Core().State().activeDoc);
  EXPECT_TRUE(object->Core().State().mapApp);

  // The palette made larger: the button and the viewer's extender follow Resize.
  palette.ResizeClient(620, 540);
  PumpMessages();
  EXPECT_EQ(Text(ChildRect(object->Button().Window())), Text(ExpectedButton(controlWindow)));
  RECT client{};
  GetClientRect(controlWindow, &client);
  const control::PixelsPerInch dpi = control::ScreenPixelsPerInch();
  const float w = static_cast<float>(control::PixelsToTwips(client.right, dpi.x));
  const float h = static_cast<float>(control::PixelsToTwips(client.bottom, dpi.y));
  ASSERT_NE(object->Viewer().Site(), nullptr);
  com::DispatchObject extender{com::ComPtr<IDispatch>(object->Viewer().Site())};
  EXPECT_EQ(extender.Get("Top"), Variant(0.0));
  EXPECT_EQ(extender.Get("Left"), Variant(5.0));
  EXPECT_EQ(extender.Get("Width"), Variant(static_cast<double>(w - 5.0f)));
  EXPECT_EQ(extender.Get("Height"), Variant(static_cast<double>(h - 420.0f - 5.0f)));
  // The viewer's own window is where its extender says, above the button.
  HWND viewerWindow = object->Viewer().Site()->ControlWindow();
  ASSERT_NE(viewerWindow, nullptr);
  EXPECT_TRUE(IsWindowVisible(viewerWindow));
  const RECT viewerExpected{
      control::TwipsToPixels(5.0f, dpi.x), 0,
      control::TwipsToPixels(5.0f, dpi.x) + control::TwipsToPixels(w - 5.0f, dpi.x),
      control::TwipsToPixels(h - 425.0f, dpi.y)};
  EXPECT_EQ(Text(ChildRect(viewerWindow)), Text(viewerExpected));

  // Hidden and shown again, where it was: a second Show and no other Resize.
  auto ole = com::ComPtr<IUnknown>(palette.Control()).As<IOleObject>();
  ASSERT_EQ(ole->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, nullptr, nullptr), S_OK);
  EXPECT_FALSE(IsWindowVisible(controlWindow));
  ASSERT_EQ(ole->DoVerb(OLEIVERB_SHOW, nullptr, static_cast<IOleClientSite*>(palette.Site()), 0,
                        palette.Window(), nullptr),
            S_OK);
  EXPECT_TRUE(IsWindowVisible(controlWindow));
  EXPECT_EQ(Text(ChildRect(object->Button().Window())), Text(ExpectedButton(controlWindow)));
  EXPECT_EQ(extender.Get("Height"), Variant(static_cast<double>(h - 420.0f - 5.0f)));
  ole.Reset();

  // The delegated dispatch reaches the core.
  com::DispatchObject{com::ComPtr<IUnknown>(palette.Control()).As<IDispatch>()}.Call(
      "AddLayer", {Variant("Roads")});

  // A click on the button: the save options go to the viewer, then the picked point.
  SendMessageW(object->Button().Window(), BM_CLICK, 0, 0);
  PumpMessages();

  const std::string shot = NIMBO_BINARY_DIR "/control-palette.bmp";
  EXPECT_TRUE(palette.SaveScreenshot(shot));

  // Closing: Terminate, the viewer's and the drawing's events let go, every reference back.
  palette.Close();
  EXPECT_TRUE(object->Terminated());
  EXPECT_FALSE(object->Core().ViewerEventsBound());
  EXPECT_EQ(object->Release(), 0U);
  EXPECT_EQ(HeldByOthers(viewerObject), viewerHeld);
  EXPECT_EQ(HeldByOthers(cadObject), cadHeld);
  EXPECT_EQ(container.HeldByOthers(), 0U);
  EXPECT_EQ(container.Sinks(), 0U);
  // Two Shows, then AddLayer, then the click.
  const std::string show =
      "viewer SetClientInfo(\"VeskNIMBO plug-in for Autodesk Map 2007/08/09\", \"2.5.2\")\n";
  EXPECT_EQ(
      world.journal.Text(),
      show + show +
          "drawing Site.dwg layer added \"Roads\"\n"
          "viewer ClearTableInfo()\n"
          "viewer AddTableInfo(\"<Save as text>,<Save as text>\")\n"
          "viewer AddTableInfo(\"<Save as dimension>,Linear dimension,Angular dimension\")\n"
          "viewer AddTableInfo(\"<Save as "
          "attribute>,Area,Distance,Bearing,Elevation,Height,X,Y\")\n"
          "viewer AddTableInfo(\"<Save as extrusion (only for heights)>,<Save as extrusion (only "
          "for heights)>\")\n"
          "dialog message \"Click a point in the map\" caption \"VeskNimboDock17\"\n"
          "user pick -> (100, 200, 0)\n"
          "viewer SearchImageAtPoint(&100, &200)\n");
}

// A container may let go of the control without closing it: Terminate then comes as the
// object goes, and the viewer it was shown with gets its references back.
TEST(ControlInPaletteTest, ReleasedWithoutCloseLetsGoOfTheViewer) {
  standalone::EmbeddedDefault world{shell::kLibraryName};
  standins::ViewerStandin viewerStandin(world.viewer);
  IUnknown* viewerObject = static_cast<IDispatch*>(&viewerStandin.Object());
  const ULONG viewerHeld = HeldByOthers(viewerObject);
  control::DockControlParts parts;
  parts.runningObjects = std::make_shared<win::host::ComRunningObjects>();
  parts.dialogs = std::shared_ptr<nimbo::host::Dialogs>(&world.dialogs, [](auto*) {});
  com::ProcessClass controlClass(control::kDockControlClass, "VeskNimboDock17.DockControl",
                                 [parts] { return control::CreateDockControl(parts); });
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300,
                                nullptr, nullptr, nullptr, nullptr);
  {
    com::ComPtr<IOleObject> ole;
    ASSERT_EQ(CoCreateInstance(control::kDockControlClass, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IOleObject, ole.PutVoid()),
              S_OK);
    RECT rect{0, 0, 300, 300};
    ASSERT_EQ(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, parent, &rect), S_OK);
    EXPECT_GT(HeldByOthers(viewerObject), viewerHeld);
  }
  DestroyWindow(parent);
  EXPECT_EQ(HeldByOthers(viewerObject), viewerHeld);
  // No AutoCAD was running: Show said so, once.
  EXPECT_NE(world.journal.Text().find("UserControl_Show error"), std::string::npos)
      << world.journal.Text();
}

// A viewer whose class cannot be created does not stop the palette: the control and its
// button are there, and Show tells the person why there is no imagery.
TEST(ControlInPaletteTest, AViewerThatCannotBeCreatedIsReportedByShow) {
  standalone::EmbeddedDefault world{shell::kLibraryName};
  world.application->AddDocument("Site.dwg");
  world.application->Activate("Site.dwg");
  standins::CadStandin cadStandin(world.application);  // so the viewer is all that fails
  control::DockControlParts parts;
  parts.runningObjects = std::make_shared<win::host::ComRunningObjects>();
  parts.dialogs = std::shared_ptr<nimbo::host::Dialogs>(&world.dialogs, [](auto*) {});
  parts.makeDispatch = LayerDispatch;
  parts.viewerProgId = "Nimbo.NoSuchViewer";
  com::ProcessClass controlClass(control::kDockControlClass, "VeskNimboDock17.DockControl",
                                 [parts] { return control::CreateDockControl(parts); });
  Palette palette(control::kDockControlClass, 480, 460);
  PumpMessages();
  control::DockControlObject* object = control::DockControlObject::Of(palette.Control());
  ASSERT_NE(object, nullptr);
  EXPECT_TRUE(IsWindowVisible(object->Window()));
  EXPECT_TRUE(IsWindowVisible(object->Button().Window()));
  EXPECT_EQ(object->Viewer().Site(), nullptr);
  const std::string journal = world.journal.Text();
  EXPECT_NE(journal.find("UserControl_Show error ActiveX component can't create object"),
            std::string::npos)
      << journal;
  EXPECT_EQ(journal.find("viewer "), std::string::npos) << journal;
  palette.Close();
}

}  // namespace
}  // namespace nimbo::win::test
