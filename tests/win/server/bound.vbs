' The library from VBScript, as a macro or script client uses it: Bound created by its
' ProgID, every property put and read, SetValues seen in the properties, an error as the
' script sees it, a variable passed where the library declares a string by reference,
' and the classes that clients may not create refused.
Option Explicit
Dim b, names, i, layer, p
Set b = CreateObject("VeskNimboDock17.Bound")
WScript.Echo "new: " & b.ULx & " " & b.LLy & " initialized " & CInt(b.initialized)

b.ULx = 1.5 : b.ULy = 2.5 : b.URx = 3.5 : b.URy = 4.5
b.LRx = 5.5 : b.LRy = 6.5 : b.LLx = 7.5 : b.LLy = 8.5
b.initialized = True
WScript.Echo "put: " & b.ULx & " " & b.ULy & " " & b.URx & " " & b.URy & " " & _
             b.LRx & " " & b.LRy & " " & b.LLx & " " & b.LLy & " initialized " & CInt(b.initialized)
b.initialized = False
b.SetValues 1, 2, 3, 4, 5, 6, 7, 8
WScript.Echo "SetValues: " & b.ULx & " " & b.ULy & " " & b.URx & " " & b.URy & " " & _
             b.LRx & " " & b.LRy & " " & b.LLx & " " & b.LLy & " initialized " & CInt(b.initialized)

On Error Resume Next
b.ULx = "abc"
WScript.Echo "put text: " & Err.Number & " | " & Err.Description & " | " & Err.Source
Err.Clear
WScript.Echo "after: " & b.ULx

' A variable for layername (by reference); no drawing to draw in, so the core's own
' error for the missing document comes back, not a type mismatch of the binding.
layer = "Walls"
Set p = b.AsPolyline(Nothing, layer)
WScript.Echo "AsPolyline: " & Err.Number & " | " & Err.Description & " | " & Err.Source & " | " & layer
Err.Clear
Set p = b.AsPolyline(Nothing, "Walls")
WScript.Echo "AsPolyline literal: " & Err.Number & " | " & Err.Description
Err.Clear

Set p = CreateObject("VeskNimboDock17.Extent")
WScript.Echo "Extent: " & Err.Number & " | " & Err.Description
Err.Clear
Set p = CreateObject("VeskNimboDock17.AcadColors")
WScript.Echo "AcadColors: " & Err.Number & " | " & Err.Description
Err.Clear
