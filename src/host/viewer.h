// The imagery viewer control: its late-bound Invoke, its connection point (the events
// are in viewer_events.h), the container-provided properties of a child control, and
// typed calls over Invoke that pass every argument exactly as the operation table says.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "automation/locale.h"
#include "automation/variant.h"
#include "host/viewer_events.h"

namespace nimbo::host {

using automation::Variant;

// The viewer as the platform hands it over: called by DISPID.
class ViewerControl {
 public:
  virtual ~ViewerControl() = default;
  // By-reference arguments refer to the caller's variables. Raises AutomationError.
  virtual Variant Invoke(int32_t dispid, std::span<Variant> arguments) = 0;
  // Connection point of the events. The sink is borrowed until Unadvise.
  virtual int32_t Advise(ViewerEvents* sink) = 0;
  virtual void Unadvise(int32_t cookie) = 0;
};

// The properties that the container provides for a child control (twips, single
// precision).
class ExtenderProperties {
 public:
  virtual ~ExtenderProperties() = default;
  virtual float Top() = 0;
  virtual float Left() = 0;
  virtual float Width() = 0;
  virtual float Height() = 0;
  virtual void SetTop(float value) = 0;
  virtual void SetLeft(float value) = 0;
  virtual void SetWidth(float value) = 0;
  virtual void SetHeight(float value) = 0;
};

// The typed face of the viewer. Each call builds the arguments of the operation table
// (by value or by reference to the caller's variable) and converts the result in the
// control's locale, as the run-time converts every other value; a result that cannot be
// converted is a type mismatch (13).
class Viewer {
 public:
  // Both borrowed for the Viewer's lifetime.
  Viewer(ViewerControl& control, const automation::Locale& locale)
      : control_(control), locale_(locale) {}

  void SetClientInfo(const std::string& title, const std::string& version);
  std::string GetViewMode(int32_t viewIndex);
  // corner 0..7 in the viewer's order (kCornerNames); another corner is an invalid call (5).
  double TotalCorner(int corner, int32_t& viewIndex);
  double VisibleCorner(int corner, int32_t& viewIndex);
  bool IsViewActive(int32_t viewIndex);
  bool IsMapSyncView(int32_t& viewIndex);
  void RegisterOverlayLayer(const std::string& name, int32_t& viewIndex, automation::VBool& flag);
  void RemoveOverlayLayer(std::string& name, int32_t& viewIndex);
  void ResetOverlays();
  int32_t GetOverlayLayerCount(int32_t& viewIndex);
  std::string GetOverlayLayerName(int32_t& layerIndex, int32_t& viewIndex);
  void ActivateOverlayMosaic(const std::string& name, int32_t viewIndex);
  void ActivateOverlayDiscrete(const std::string& name, int32_t viewIndex);
  void BeginFeature();
  void AddVertex(double x, double y);
  void AddVertexByRef(double& x, double& y);
  void AddPointFeature(std::string& layer, int32_t& viewIndex, automation::VBool& byLayer);
  void AddLineFeature(std::string& layer, int32_t& viewIndex, automation::VBool& byLayer);
  void ClearOverlayLayer(const std::string& name, int32_t& viewIndex);
  void SetFeatureStyle(int32_t& red, int32_t& green, int32_t& blue, int32_t& width);
  void PrepareLayerStepOne(const std::string& name);
  void PrepareLayerStepTwo(const std::string& name);
  void PrepareLayerStepThree(const std::string& name);
  void SetOverlayLayerStyle(const std::string& name, int32_t& viewIndex, int32_t& red,
                            int32_t& green, int32_t& blue, int32_t& width);
  void RefreshDiscreteOverlays(int32_t viewIndex);
  void RefreshOverlays(int32_t viewIndex);
  bool ShowTotalExtent();
  bool ShowVisibleExtent();
  bool ViewerFollowsMap();
  bool MapFollowsViewer();
  void SearchImageAtPoint(double x, double y);
  void SearchImageAtPointByRef(double& x, double& y);
  bool CenterOnPoint(double x, double y, double scale);
  void AddTableInfo(const std::string& entry);
  void ClearTableInfo();

 private:
  // The arguments live on the caller's stack: a viewer call is made for every vertex.
  template <class... Arguments>
  Variant Call(int32_t dispid, Arguments&&... arguments) {
    std::array<Variant, sizeof...(Arguments)> list{Variant(std::forward<Arguments>(arguments))...};
    return Dispatch(dispid, list);
  }
  Variant Dispatch(int32_t dispid, std::span<Variant> arguments);
  ViewerControl& control_;  // borrowed: the control's child, valid while the control lives
  const automation::Locale& locale_;  // borrowed: the control's environment
};

}  // namespace nimbo::host
