// The class names that the CAD host's entities answer from ObjectName. The control tells
// entity kinds apart by them, so they are part of the host's contract.
#pragma once

namespace nimbo::host {

inline constexpr const char* kPolylineClass = "AcDbPolyline";
inline constexpr const char* kLineClass = "AcDbLine";
inline constexpr const char* kPointClass = "AcDbPoint";
inline constexpr const char* kCircleClass = "AcDbCircle";
inline constexpr const char* kArcClass = "AcDbArc";
inline constexpr const char* kTextClass = "AcDbText";
inline constexpr const char* kRegionClass = "AcDbRegion";
inline constexpr const char* kAlignedDimensionClass = "AcDbAlignedDimension";
inline constexpr const char* kAngularDimensionClass = "AcDb2LineAngularDimension";
inline constexpr const char* kBlockReferenceClass = "AcDbBlockReference";
inline constexpr const char* kAttributeDefinitionClass = "AcDbAttributeDefinition";
inline constexpr const char* kSolidClass = "AcDb3dSolid";

}  // namespace nimbo::host
