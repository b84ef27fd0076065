// The add-in's handle on one run inside the host: binding, colours and layers, entities,
// selection, surface groups and projection, views, files. Exported by the link library.
#pragma once

#include <string>

#include "hostlink/LinkExport.h"

#include "hostlink/ApiGeometry.h"
#include "hostlink/HostApi.h"
#include "hostlink/LinkList.h"

class CApiPointLst;
class CApiCloudGrid;

using HWND = HostWindow;
using LOGFONTA = HostLogFont;

class RAVELINK_API CSurfcamCtrl {
public:
    bool fontSet = false;
    int selectResult = -1;  // -1 until a Select ran, so Shutdown never reads an unset value
    int curColor = 10;
    int savedColor = 10;
    int curLayer = 1;
    int savedLayer = 1;
    int groupId = 0;
    HWND hostWindow = nullptr;
    int drawing = 0;
    LOGFONTA font{};

    // Fields as above; also forgets the process-wide host table until the next Setup.
    CSurfcamCtrl();
    CSurfcamCtrl(const CSurfcamCtrl&) = default;
    CSurfcamCtrl& operator=(const CSurfcamCtrl&) = default;
    virtual ~CSurfcamCtrl();

    // ---- Binding, colours and layers, font, window, views, progress box ----
    // Binds to the host's operations table and shows the progress box.
    void Setup(void* hostApi);
    // Ends the run: selection cleared, colour and layer restored, progress box destroyed,
    // surface groups emptied, the host window enabled and focused.
    void Shutdown();
    // Shows `text` in the progress box.
    void update_message(char* text);
    void update_message(const char* text);
    // Sets the host's current colour or layer; -2 restores the value found by Setup.
    void SetCurrentColor(int color);
    void SetCurrentLayer(int layer);
    // Keeps a copy of `font` for text entities; null stops using it.
    void SetupFont(LOGFONTA* font);
    // The host's main window, asked afresh.
    HWND GetSurfcamWindowHandle();
    void SetViewNum(int n);
    void SetCViewNum(int n);

    // ---- Entities, layers and selection (all creators return true) ----
    bool CreatePoint(double x, double y, double z, int layer, int color);
    bool CreatePoint(CApiPoint p, int layer, int color);
    bool CreateLine(double x1, double y1, double z1, double x2, double y2, double z2, int layer,
                    int color);
    bool CreateLine(CApiLine l, int layer, int color);
    bool CreateLine(CApiPoint a, CApiPoint b, int layer, int color);
    bool CreateArc(CApiArc a, int layer, int color);
    bool CreateText(char* text, CApiPoint* at, double height, int layer, int color);
    bool CreateText(char* text, CApiPoint* at, int layer, int color);  // height 0.13
    // Creates the layer with `name` (at most 29 characters) unless it exists.
    void CreateLayer(int layer, const char* name);
    // Deletes the points and arcs on `layer`; 0.
    int DeleteElementsOnLayer(int layer);
    // Shows (1) or hides (0) `layer`, every listed layer for -1; 0.
    int ShowLayer(int show, int layer);
    // Appends "NNN name" texts of the host's layers / views to `list`; 0.
    int GetLayerList(CLinkList* list);
    int GetViewList(CLinkList* list);
    // Appends the lines on `layer` to `list` (via `line`); true when the list is not empty.
    bool GetLayerLines(CApiLine* line, CLinkList* list, int layer);
    // The first selected arc into `arc`, else the drawing's first arc: 1, or 0 when there is
    // none.
    int GetArc(CApiArc* arc);
    // A location picked in the host; 0.
    int GetLocation(char* prompt, CApiPoint* out);
    // Lets the user select entities; false when the host's selection failed.
    bool Select(int mode);
    void UnSelect();
    // Moves every entity below layer 250 by to - from; 0.
    int Translate2Pnts(CApiPoint from, CApiPoint to, bool flag);

    // ---- Surface groups, projection and views ----
    bool ResetSurfaceList();
    bool ResetSurfaces(int group);
    void SetSurfaceGroupId(int group);
    int GetSurfaceGroupId();
    int GetSurfaceGroupCount(int group);
    void LoadAllSelectedSurfaces(int group);
    int OffsetSurfaceGroup(int src, int dst, double distance, int side, bool addToDrawing);
    bool ProjectPointOntoSelectionView(CApiPoint* in, CApiPoint* out, bool markPoint,
                                       CApiVect* normalOut, int side, bool drawNormal,
                                       CApiView* view);
    bool ProjectPointOntoSelectionCView(CApiPoint* in, CApiPoint* out, bool markPoint,
                                        CApiVect* normalOut, int side, bool drawNormal, int extra);
    bool ProjectPointOntoSelectionNormal(CApiPoint* in, CApiPoint* out, bool markPoint,
                                         CApiVect* normalOut, int side, bool drawNormal,
                                         int orient);
    bool ProjectPointOntoSelectionVector(CApiPoint* in, CApiPoint* out, bool markPoint,
                                         CApiVect* normalOut, int side, bool drawNormal,
                                         int orient);
    bool ProjectPointOntoSelection(CApiPoint* in, CApiPoint* out, bool markPoint);
    // Builds a view whose depth axis is `n`; always false.
    bool ViewFromVector(CApiVect n, CApiView* out);
    bool WorldToView(CApiPoint* in, CApiPoint* out, double m[4][4], int flag);
    bool WorldToView(CApiVect* in, CApiVect* out, double m[4][4], int flag);
    int CreateInverseMatrix(double src[4][4], double dst[4][4]);
    void GetCviewMatrix(double m[4][4]);
    double Calc_Angle(CApiLine* a, CApiLine* b);

    // ---- Host files and clipboard ----
    int FileNew(int mode);
    int FileOpen(int type, int mode, char* path);
    int FileOpen(char* extension, int mode, char* path);
    int FileSave();
    int FileSaveAs(char* path);
    // Merges a file, moves what it brought to `layer` and, unless group is -1, collects its
    // surfaces into that surface group; 0.
    int FileMergeReLayer(char* extension, char* path, int layer, int group);
    // Pastes the file's bytes through the clipboard in the host's clipboard format.
    void Paste_Operation(char* path);
    void Paste_Operation(const std::string& path);
    // Runs a host command file through the host's own DLL.
    void Read_CDL(char* path, int extra);
    void Screen_Fit();
    void Screen_UnZoom();

    // ---- Point lists and point-cloud grids ----
    // Adds every point entity of the drawing to `list` (flag 0, world coordinates); true.
    bool LoadPointList(CApiPointLst* list);
    // Has the host build a surface, in `layer` and `color`, from the points `next` fills in:
    // it returns 1 at the end, 2 at a row's end, a negative value on error, else a point. 0.
    int CreateDigSurface(int (*next)(CApiPoint*), int mode, int layer, int color);
    // Has the host build a surface from rowCount rows of perRow points of `list`, a short list
    // repeating its last point; mode, value1 and value2 go to the host as they are. 0.
    int CreateDigSurface(CApiPointLst* list, int perRow, int rowCount, int mode, int value1,
                         int value2, int layer, int color);
    // Adds the drawing's point entities (flag 0) and polyline vertices (flag 2 for a polyline's
    // first, 3 for the others) to the grid's cloud; true.
    bool LoadCloudGrid(CApiCloudGrid* grid);

protected:
    // Before creating entities: a colour or layer of 0 or above that differs from the current
    // one is set in the host; negative values leave the host as it is.
    void set_color_and_layer(int color, int layer);
};
