// The controller's CreateDigSurface in both forms against the real host: the codes the host
// receives, the surface it builds, colour and layer, the temporary file, and projecting onto the
// result.
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <variant>

#include "ControllerFixture.h"
#include "hostlink/DigPointSource.h"
#include "hostlink/PointList.h"
#include "platform/Paths.h"

namespace {

using host::SurfaceGeometry;

constexpr const char* kHandOverFile = "c:\\ravelink03.tmp";

// What the host was handed, recorded by a table that forwards to the real host.
struct HandOverLog {
    HostApi inner{};
    HostPointAdapter adapter = nullptr;
    std::vector<int> codes;      // every adapter result the host received
    std::vector<int> arguments;  // mode, then the grid form's five further values
    bool fileOpen = false;
    bool fileUsedUp = false;  // after the last code the file had nothing more to read
};
HandOverLog* handOver = nullptr;

int LoggingAdapter(std::FILE* file, double* xyz) {
    const int code = handOver->adapter(file, xyz);
    handOver->codes.push_back(code);
    return code;
}
int LoggedCall(std::FILE* file, HostPointAdapter adapter, const std::function<int()>& call) {
    handOver->fileOpen = file != nullptr;
    handOver->adapter = adapter;
    const int result = call();
    handOver->fileUsedUp = file != nullptr && std::fgetc(file) == EOF;
    return result;
}
int LoggedSurfaceFromCallback(std::FILE* file, int mode, HostPointAdapter adapter) {
    handOver->arguments = {mode};
    return LoggedCall(file, adapter, [&] {
        return handOver->inner.HostSurfaceFromCallback(file, mode, LoggingAdapter);
    });
}
int LoggedSurfaceFromCallbackGrid(std::FILE* file, int mode, HostPointAdapter adapter, int a, int b,
                                  int c, int d, int e) {
    handOver->arguments = {mode, a, b, c, d, e};
    return LoggedCall(file, adapter, [&] {
        return handOver->inner.HostSurfaceFromCallbackGrid(file, mode, LoggingAdapter, a, b, c, d,
                                                           e);
    });
}

// The point function's answers, one per call; the point it fills has x = the call's number,
// y = 10 x, z = x / 2.
struct PointScript {
    explicit PointScript(std::vector<int> answers) : results(std::move(answers)) {}
    std::vector<int> results;
    std::size_t calls = 0;
    bool pointsArrivedClear = true;  // every point handed to it was flag 0 at (0, 0, 0)
    std::function<void()> duringCall;
};
PointScript* script = nullptr;

int ScriptedPoint(CApiPoint* p) {
    if (p->flag != 0 || p->x != 0 || p->y != 0 || p->z != 0) script->pointsArrivedClear = false;
    if (script->duringCall) script->duringCall();
    if (script->calls >= script->results.size()) return -1;
    const double n = double(script->calls);
    *p = CApiPoint{5, n, 10 * n, n / 2};
    return script->results[script->calls++];
}

class DigSurfaceTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        ravelink::ResetDigPointSource();
        log_.inner = api_;
        handOver = &log_;
        logged_ = api_;
        logged_.HostSurfaceFromCallback = LoggedSurfaceFromCallback;
        logged_.HostSurfaceFromCallbackGrid = LoggedSurfaceFromCallbackGrid;
    }
    void TearDown() override {
        ControllerTest::TearDown();
        ravelink::ResetDigPointSource();
        handOver = nullptr;
        script = nullptr;
    }
    void BindLogged() { Bind(&logged_); }

    // The only surface of the drawing, or null.
    const host::Entity* OnlySurface() {
        const host::Entity* found = nullptr;
        std::size_t surfaces = 0;
        host_.ActiveDrawing().ForEach([&](const host::Entity& e) {
            if (std::holds_alternative<SurfaceGeometry>(e.geometry)) {
                found = &e;
                ++surfaces;
            }
        });
        return surfaces == 1 ? found : nullptr;
    }
    [[nodiscard]] bool HandOverFileExists() const {
        return std::filesystem::exists(platform::MapPath(kHandOverFile));
    }

    HandOverLog log_;
    HostApi logged_{};
};

// A list of `count` points: point k at (k, 100 + k, k / 4).
CApiPointLst NumberedPoints(int count) {
    CApiPointLst list;
    for (int k = 0; k < count; ++k) {
        CApiPoint p{0, double(k), 100.0 + k, k / 4.0};
        list.Add(&p);
    }
    return list;
}

struct FunctionCase {
    std::vector<int> results;  // the point function's answers
    std::vector<int> codes;    // what the host receives
    int rows = 0;              // of the surface built; 0 for none
    int columns = 0;
};

TEST_F(DigSurfaceTest, PointFunctionResultsBecomeTheAdapterCodes) {
    const std::vector<FunctionCase> cases = {
        {{1}, {1}, 0, 0},  // the end at once: nothing to build
        {{0, 0, 0, 2, 0, 0, 0, 1}, {3, 3, 3, 2, 3, 3, 3, 1}, 2, 3},
        {{0, 9, 2, 7, 0, 1}, {3, 3, 2, 3, 3, 1}, 2, 2},        // any other result is a point
        {{0, 0, -1}, {3, 3, 4}, 0, 0},                         // a negative result is an error
        {{0, 0, 0, 2, 0, 0, 1}, {3, 3, 3, 2, 3, 3, 1}, 0, 0},  // rows of unequal length
    };
    BindLogged();
    for (const FunctionCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.results));
        host_.ActiveDrawing().Clear();
        log_.codes.clear();
        PointScript points{c.results};
        script = &points;
        EXPECT_EQ(ctrl_.CreateDigSurface(ScriptedPoint, 0, -1, -1), 0);
        EXPECT_EQ(log_.codes, c.codes);
        EXPECT_TRUE(points.pointsArrivedClear);
        const host::Entity* surface = OnlySurface();
        if (c.rows == 0) {
            EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
            continue;
        }
        ASSERT_NE(surface, nullptr);
        const auto& s = std::get<SurfaceGeometry>(surface->geometry);
        EXPECT_EQ(s.rows, c.rows);
        EXPECT_EQ(s.columns, c.columns);
    }
}

TEST_F(DigSurfaceTest, PointFunctionSurfaceHoldsThePointsOfEachRow) {
    PointScript points{{0, 0, 2, 0, 0, 1}};
    script = &points;
    BindLogged();
    ctrl_.CreateDigSurface(ScriptedPoint, 42, -1, -1);
    ASSERT_NE(OnlySurface(), nullptr);
    const auto& s = std::get<SurfaceGeometry>(OnlySurface()->geometry);
    // The row end's own point is not part of the surface.
    EXPECT_EQ(s.points,
              (std::vector<HostVector3>{{0, 0, 0}, {1, 10, 0.5}, {3, 30, 1.5}, {4, 40, 2}}));
    EXPECT_EQ(log_.arguments, (std::vector<int>{42}));  // mode goes to the host as it is
    EXPECT_TRUE(log_.fileOpen);
    EXPECT_TRUE(log_.fileUsedUp);  // the end of the data reads the file's character and end
}

struct ListCase {
    int points;
    int perRow;
    int rowCount;
    std::vector<int> codes;
};

TEST_F(DigSurfaceTest, ListFormDeliversRowCountRowsOfPerRowPoints) {
    const std::vector<ListCase> cases = {
        {6, 3, 2, {3, 3, 3, 2, 3, 3, 3, 1}},
        {4, 3, 2, {3, 3, 3, 2, 3, 3, 3, 1}},  // a short list repeats its last point
        {9, 3, 2, {3, 3, 3, 2, 3, 3, 3, 1}},  // points beyond the rows are not handed over
        {6, 3, 0, {1}},
        {6, 3, -4, {1}},
        {6, 0, 3, {2, 2, 1}},
    };
    BindLogged();
    for (const ListCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.points << " points, " << c.perRow << " x " << c.rowCount);
        log_.codes.clear();
        CApiPointLst list = NumberedPoints(c.points);
        EXPECT_EQ(ctrl_.CreateDigSurface(&list, c.perRow, c.rowCount, 0, 0, 0, -1, -1), 0);
        EXPECT_EQ(log_.codes, c.codes);
        EXPECT_TRUE(log_.fileUsedUp);
    }
}

TEST_F(DigSurfaceTest, ShortListRepeatsItsLastPointForEveryMissingOne) {
    CApiPointLst list = NumberedPoints(4);
    list.GetLast();  // the hand-over starts from the first point wherever the cursor was
    BindLogged();
    ctrl_.CreateDigSurface(&list, 3, 2, /*mode=*/7, /*value1=*/11, /*value2=*/22, -1, -1);
    EXPECT_EQ(log_.arguments, (std::vector<int>{7, 22, 11, 22, 11, 0}));
    ASSERT_NE(OnlySurface(), nullptr);
    const auto& s = std::get<SurfaceGeometry>(OnlySurface()->geometry);
    const HostVector3 last{3, 103, 0.75};
    EXPECT_EQ(s.points, (std::vector<HostVector3>{
                            {0, 100, 0}, {1, 101, 0.25}, {2, 102, 0.5}, last, last, last}));
}

TEST_F(DigSurfaceTest, WithoutPointsTheHostIsStoppedAtOnce) {
    BindLogged();
    CApiPointLst empty;
    // Regression: a null list was dereferenced; it has no point at its cursor like an empty one.
    for (CApiPointLst* list : {&empty, static_cast<CApiPointLst*>(nullptr)}) {
        platform::ClearMessages();
        log_.codes.clear();
        EXPECT_EQ(ctrl_.CreateDigSurface(list, 3, 2, 0, 0, 0, -1, -1), 0);
        EXPECT_EQ(log_.codes, (std::vector<int>{4}));
        EXPECT_EQ(platform::ShownMessages(), (std::vector<std::string>{"Error: GetXYZPox 0, 0"}));
    }
    // Regression: a null point function was called.
    log_.codes.clear();
    EXPECT_EQ(ctrl_.CreateDigSurface(nullptr, 0, -1, -1), 0);
    EXPECT_EQ(log_.codes, (std::vector<int>{4}));
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
}

TEST_F(DigSurfaceTest, SurfaceTakesTheColourAndLayerGiven) {
    host_.ActiveDrawing().SetCurrentColor(4);
    host_.ActiveDrawing().SetCurrentLayer(6);
    Bind();
    CApiPointLst list = NumberedPoints(4);
    ctrl_.CreateDigSurface(&list, 2, 2, 0, 0, 0, /*layer=*/33, /*color=*/5);
    ASSERT_NE(OnlySurface(), nullptr);
    EXPECT_EQ(OnlySurface()->layer, 33);
    EXPECT_EQ(OnlySurface()->color, 5);
    EXPECT_EQ(ctrl_.curLayer, 33);
    EXPECT_EQ(ctrl_.curColor, 5);
    for (int unchanged : {-1, -2}) {
        PointScript points{{0, 0, 2, 0, 0, 1}};
        script = &points;
        ctrl_.CreateDigSurface(ScriptedPoint, 0, unchanged, unchanged);
        EXPECT_EQ(host_.ActiveDrawing().CurrentColor(), 5);
        EXPECT_EQ(host_.ActiveDrawing().CurrentLayer(), 33);
    }
}

TEST_F(DigSurfaceTest, TheTemporaryFileHoldsOneCharacterDuringTheCallAndIsGoneAfter) {
    WriteFile(kHandOverFile, "left over from an earlier run");
    std::string during;
    PointScript points{{0, 0, 2, 0, 0, 1}};
    points.duringCall = [&] {
        std::ostringstream text;
        text << std::ifstream(platform::MapPath(kHandOverFile)).rdbuf();
        during = text.str();
    };
    script = &points;
    Bind();
    ctrl_.CreateDigSurface(ScriptedPoint, 0, -1, -1);
    EXPECT_EQ(during, "a");
    EXPECT_FALSE(HandOverFileExists());
    EXPECT_NE(OnlySurface(), nullptr);
}

TEST_F(DigSurfaceTest, WithoutDriveCTheHostIsNotCalled) {
    std::filesystem::remove_all(platform::MapPath("c:\\"));
    BindLogged();
    CApiPointLst list = NumberedPoints(4);
    EXPECT_EQ(ctrl_.CreateDigSurface(&list, 2, 2, 0, 0, 0, /*layer=*/8, /*color=*/3), 0);
    EXPECT_TRUE(log_.arguments.empty());
    EXPECT_EQ(platform::ShownMessages(),
              (std::vector<std::string>{"The temporary file c:\\ravelink03.tmp could not be "
                                        "opened; no surface was built."}));
    // Colour and layer are set before the file is tried.
    EXPECT_EQ(host_.ActiveDrawing().CurrentLayer(), 8);
    EXPECT_EQ(host_.ActiveDrawing().CurrentColor(), 3);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
}

TEST_F(DigSurfaceTest, AHandOverStartedFromInsideAnotherIsRefused) {
    // Regression: the inner call replaced the outer call's point source, so the outer surface
    // was lost.
    CApiPointLst inner = NumberedPoints(4);
    PointScript points{{0, 0, 2, 0, 0, 1}};
    bool nested = false;
    points.duringCall = [&] {
        if (nested) return;
        nested = true;
        EXPECT_EQ(ctrl_.CreateDigSurface(&inner, 2, 2, 0, 0, 0, -1, -1), 0);
    };
    script = &points;
    Bind();
    ctrl_.CreateDigSurface(ScriptedPoint, 0, -1, -1);
    EXPECT_EQ(platform::ShownMessages(),
              (std::vector<std::string>{
                  "A surface is already being built from points; this one is not built."}));
    ASSERT_NE(OnlySurface(), nullptr);
    EXPECT_EQ(std::get<SurfaceGeometry>(OnlySurface()->geometry).points[2].x, 3.0);
    ctrl_.CreateDigSurface(&inner, 2, 2, 0, 0, 0, -1, -1);  // once over, hand-overs work again
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
}

TEST_F(DigSurfaceTest, EndlessRowEndsDoNotKeepTheHost) {
    // Regression: the host counted only points, so rows without points kept it for ever.
    Bind();
    CApiPointLst list = NumberedPoints(4);
    EXPECT_EQ(ctrl_.CreateDigSurface(&list, 0, INT_MAX, 0, 0, 0, -1, -1), 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
    EXPECT_EQ(platform::ShownMessages(),
              (std::vector<std::string>{"No surface was built from the points: the points did "
                                        "not end"}));
}

int UnknownCode(std::FILE*, double*) { return 0; }

TEST_F(DigSurfaceTest, TheHostRefusesAnUnknownAdapterCodeAndSaysSo) {
    // Regression: an unknown code stopped the host without a word.
    EXPECT_EQ(api_.HostSurfaceFromCallback(nullptr, 0, UnknownCode), -1);
    EXPECT_EQ(platform::ShownMessages(),
              (std::vector<std::string>{"No surface was built from the points: the adapter gave "
                                        "the unknown code 0"}));
}

// A height field and how closely the surface must follow it between its grid points.
struct HeightField {
    const char* name;
    double (*z)(double x, double y);
    double betweenNodes;
};

TEST_F(DigSurfaceTest, ProjectingOntoTheBuiltSurfaceGivesBackTheHeightField) {
    const std::vector<HeightField> fields = {
        // Bilinear, so the surface's patches reproduce it everywhere.
        {"bilinear", [](double x, double y) { return 0.3 + 0.05 * x - 0.02 * y + 0.004 * x * y; },
         1e-9},
        // Curved: exact at the grid points; between them within the bilinear interpolation
        // error, (2.5^2 / 16 + 3^2 / 25) / 8 < 0.1 at a cell middle.
        {"wave", [](double x, double y) { return std::sin(x / 4) * std::cos(y / 5); }, 0.1},
    };
    CApiView top;  // projection along the world z axis
    for (int i = 0; i < 4; ++i) top.matrix[i * 5] = 1.0;
    constexpr int kColumns = 9, kRows = 5;
    constexpr double kX0 = -5, kStepX = 2.5, kY0 = 0, kStepY = 3;
    Bind();
    for (const HeightField& field : fields) {
        SCOPED_TRACE(field.name);
        host_.ActiveDrawing().Clear();
        ctrl_.ResetSurfaceList();
        CApiPointLst list;
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                CApiPoint p{0, kX0 + c * kStepX, kY0 + r * kStepY, 0};
                p.z = field.z(p.x, p.y);
                list.Add(&p);
            }
        }
        ctrl_.CreateDigSurface(&list, kColumns, kRows, 0, 0, 0, -1, -1);
        ASSERT_NE(OnlySurface(), nullptr);
        host_.ActiveDrawing().Find(OnlySurface()->id)->selected = true;
        ctrl_.SetSurfaceGroupId(0);
        // Grid points (even steps) and the middles between them (odd steps).
        for (int a = 0; a <= 2 * (kColumns - 1); ++a) {
            for (int b = 0; b <= 2 * (kRows - 1); ++b) {
                const double x = kX0 + a * kStepX / 2, y = kY0 + b * kStepY / 2;
                CApiPoint in{0, x, y, 50}, out;
                CApiVect normal;
                ASSERT_TRUE(
                    ctrl_.ProjectPointOntoSelectionView(&in, &out, false, &normal, 0, false, &top))
                    << x << ", " << y;
                const bool node = a % 2 == 0 && b % 2 == 0;
                EXPECT_NEAR(out.x, x, 1e-9);
                EXPECT_NEAR(out.y, y, 1e-9);
                EXPECT_NEAR(out.z, field.z(x, y), node ? 1e-9 : field.betweenNodes)
                    << x << ", " << y;
            }
        }
    }
}

}  // namespace
