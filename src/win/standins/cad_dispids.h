// The DISPIDs of the CAD application stand-in's members: one per member name, the same
// in every dispinterface that has the name, as nimbo_cad_standin.idl gives them.
#pragma once

#include <windows.h>

#include <oleauto.h>

namespace nimbo::win::standins::cad_dispid {

inline constexpr DISPID kNewEnum = DISPID_NEWENUM;
inline constexpr DISPID kItem = DISPID_VALUE;
inline constexpr DISPID kCount = 1;
inline constexpr DISPID kName = 2;
inline constexpr DISPID kApplication = 3;
inline constexpr DISPID kDelete = 4;
inline constexpr DISPID kActiveDocument = 10;
inline constexpr DISPID kGetInterfaceObject = 11;
inline constexpr DISPID kZoomCenter = 12;
inline constexpr DISPID kGetVariable = 20;
inline constexpr DISPID kSetVariable = 21;
inline constexpr DISPID kModelSpace = 22;
inline constexpr DISPID kPaperSpace = 23;
inline constexpr DISPID kLayers = 24;
inline constexpr DISPID kBlocks = 25;
inline constexpr DISPID kSelectionSets = 26;
inline constexpr DISPID kUtility = 27;
inline constexpr DISPID kAddPoint = 30;
inline constexpr DISPID kAddLightWeightPolyline = 31;
inline constexpr DISPID kAddText = 32;
inline constexpr DISPID kAddDimAligned = 33;
inline constexpr DISPID kAddDimAngular = 34;
inline constexpr DISPID kAddExtrudedSolid = 35;
inline constexpr DISPID kInsertBlock = 36;
inline constexpr DISPID kAddAttribute = 37;
inline constexpr DISPID kAdd = 40;
inline constexpr DISPID kColor = 50;
inline constexpr DISPID kLayerOn = 51;
inline constexpr DISPID kTrueColor = 52;
inline constexpr DISPID kLineweight = 53;
inline constexpr DISPID kObjectName = 60;
inline constexpr DISPID kObjectID = 61;
inline constexpr DISPID kLayer = 62;
inline constexpr DISPID kUpdate = 63;
inline constexpr DISPID kCoordinates = 70;
inline constexpr DISPID kStartPoint = 71;
inline constexpr DISPID kEndPoint = 72;
inline constexpr DISPID kTextOverride = 73;
inline constexpr DISPID kTextHeight = 74;
inline constexpr DISPID kArrowheadSize = 75;
inline constexpr DISPID kTagString = 76;
inline constexpr DISPID kTextString = 77;
inline constexpr DISPID kHeight = 78;
inline constexpr DISPID kSelectOnScreen = 80;
inline constexpr DISPID kSelectByPolygon = 81;
inline constexpr DISPID kSelect = 82;
inline constexpr DISPID kGetPoint = 90;
inline constexpr DISPID kColorMethod = 100;
inline constexpr DISPID kColorIndex = 101;
inline constexpr DISPID kRed = 102;
inline constexpr DISPID kGreen = 103;
inline constexpr DISPID kBlue = 104;
inline constexpr DISPID kProjects = 110;
inline constexpr DISPID kODTables = 111;
inline constexpr DISPID kODFieldDefs = 112;
inline constexpr DISPID kCreateRecord = 113;
inline constexpr DISPID kAttachTo = 114;
inline constexpr DISPID kValue = 115;

// _DAcadDocumentEvents
inline constexpr DISPID kBeginDocClose = 1;
inline constexpr DISPID kEndCommand = 2;

}  // namespace nimbo::win::standins::cad_dispid
