#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "bench/ConfigTemplate.h"
#include "platform/Text.h"

using bench::PristineTemplate;
using bench::TemplateCopy;

namespace {

struct Section {
  std::string header;
  std::vector<std::string> lines;  // the entry lines in order
};

// Cuts the template into its sections, checking the separators on the way.
std::vector<Section> Sections(const std::vector<std::string>& lines) {
  std::vector<Section> out;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) {
      EXPECT_TRUE(i + 1 < lines.size() && lines[i + 1].front() == '[') << "stray empty line at " << i + 1;
      continue;
    }
    if (line.front() == '[') {
      EXPECT_TRUE(i == 0 || lines[i - 1].empty()) << "no empty line before " << line;
      out.push_back({line, {}});
    } else {
      EXPECT_FALSE(out.empty()) << "entry before the first section";
      if (!out.empty()) out.back().lines.push_back(line);
    }
  }
  return out;
}

std::string KeyOf(const std::string& line) { return line.substr(0, line.find('=')); }

std::vector<std::string> Repeat(const std::string& key, int n) { return std::vector<std::string>(n, key); }

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::vector<std::string> Indexed(const std::string& key, int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(key + "[" + std::to_string(i) + "]");
  return out;
}

}  // namespace

TEST(ConfigTemplate, HasTwentyFiveSectionsInThreeHundredSeventySixLines) {
  const auto& lines = PristineTemplate();
  ASSERT_EQ(lines.size(), 376u);
  EXPECT_FALSE(lines.front().empty());
  EXPECT_FALSE(lines.back().empty());
  for (const auto& line : lines)
    for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "not plain ASCII: " << line;
  EXPECT_EQ(Sections(lines).size(), 25u);
}

TEST(ConfigTemplate, SectionsAndKeysStandInTheirOrder) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
      {"[URL]", {"Protocol", "ProtocolDescription", "Name", "Map", "LocalMap", "MapExt", "EXEName", "SaveExt", "Port",
                 "Class"}},
      {"[GENERAL]", {"NewGameFlow", "LogosVideo", "SplashScreen", "SplashVideo", "ESRBVideo", "IntroVideo",
                     "FinalVideo", "CreditsVideo"}},
      {"[FirstRun]", {"FirstRun"}},
      {"[Init]", {"LogFlags", ";LogFlags", "UseDIMouse", "defaultRMode", "UseMagma", "MagmaVisible", "UseHavokFile",
                  "UseGameStats", "GameStatsFileTag", "EnableOcclusion", "UseActorZoning", "HeadSetPresent",
                  "InitialSave", "PermeatingLightCutOff", "//DifficultyMode", "UseSkelMeshRecycling",
                  "UseDynamicDataFile", "JoinRefresDelay"}},
      {"[Engine.Engine]", {"RenderDevice", "GameRenderDevice", "AudioDevice", "Console", "DefaultPlayerMenu",
                           "Language", "GameEngine", "EditorEngine", "WindowedRenderDevice", "DefaultGame",
                           "DefaultServerGame", "ViewportManager", "Render", "Input", "Canvas",
                           "Editor3DRenderDevice", "PREGameMenuInteraction", "SPGameMenuInteraction",
                           "MPGameMenuInteraction", "SPLITGameMenuInteraction"}},
      {"[Core.System]", Join({{"PurgeCacheDays", "SavePath", "CachePath", "CacheExt"}, Repeat("Paths", 8),
                              Repeat("Suppress", 9)})},
      {"[Engine.GameEngine]", {"CacheSizeMegs", "UseSound"}},
      {"[WinDrv.WindowsClient]", {}},  // checked line by line below
      {"[D3DDrv.D3DRenderDevice]", {}},
      {"[Editor.EditorEngine]",
       Join({{"UseSound", "CacheSizeMegs", "GridEnabled", "DupOffsetEnabled", "SnapVertices", "SnapDistance",
              "GridSize", "RotGridEnabled", "RotGridSize", "GameCommandLine", "FovAngleDegrees", "GodMode",
              "AutoSave", "AutoSaveTimeMinutes", "AutoSaveIndex", "UseAxisIndicator", "MatineeCurveDetail",
              "UseSizingBox", "UseTagDisplay", "AlwaysShowTerrain", "UseActorRotationGizmo", "AudioDevice", "Console",
              "DefaultMenu", "DefaultPlayerMenu", "NetworkDevice", "Language", "C_WorldBox", "C_GroundPlane",
              "C_GroundHighlight", "C_BrushWire", "C_Pivot", "C_Select", "C_Current", "C_AddWire", "C_SubtractWire",
              "C_GreyWire", "C_BrushVertex", "C_BrushSnap", "C_Invalid", "C_ActorWire", "C_ActorHiWire", "C_Black",
              "C_White", "C_Mask", "C_SemiSolidWire", "C_NonSolidWire", "C_WireBackground", "C_WireGridAxis",
              "C_ActorArrow", "C_ScaleBox", "C_ScaleBoxHi", "C_ZoneWire", "C_Mover", "C_OrthoBackground",
              "C_StaticMesh", "C_ConstraintLine", "C_AnimMesh", "ShowNavMarkers", "C_Volume", "C_BlockingVolume"},
             Repeat("EditPackages", 14)})},
      {"[UMenu.UnrealConsole]", {"RootWindow", "UWindowKey", "ShowDesktop"}},
      {"[UMenu.UMenuMenuBar]", {"ShowHelp", "GameUMenuDefault", "MultiplayerUMenuDefault", "OptionsUMenuDefault"}},
      {"[Engine.Console]", {"ConsoleKey"}},
      {"[WindowPositions]",
       {"Material Properties", "VFToolbar", "PictureButton", "Surface Properties", "WPropertyPage", "Terrain Editing",
        "SubTools", "Matinee", "Build Options", "BottomBar", "BottomBarStandard", "TopBar", "ThinScrollBar",
        "EditorToolbar", "Sound Browser", "Music Browser", "Group Browser", "New Material", "Master Browser",
        "Texture Browser", "Static Mesh Browser", "Actor Browser", "Prefab Browser", "InAnimWindowProperties",
        "Animation Browser", "Mesh Browser", "Load Errors", "Check Map", "Scale Lights", "Progress",
        "Search for Actors", "Replace Textures", "Find/Replace", "CodeFrame", "EditorLog", "MdiFrameBottom",
        "MdiFrameLeft", "MdiFrameTop", "Brush Builder", "ActorProperties", "Viewport Config", "GameLog",
        "Import Texture", "Import Static Mesh", "ActorProperties.Split", "Patrol Tool", "CrashBox", "LevelProperties",
        "New Notify", "New Mesh/Animation", "EditActor", "Add Special", "PatternED", "Generic", "Cinematics Tool",
        "Realtime Blend", "EditorFrame", "Navigation Mesh Tool", "Morph Channels", "GEO Editor",
        "WSplitterContainer", "WSplitter", "WSplitterPane", "StaticMeshProperties", "AI Editing Tool",
        "Sound Properties"}},
      {"[UDebugMenu.UDebugMapListCW]", {"LastGameType"}},
      {"[TRANSPORT_INBOUND]", {"USE_EMULATOR", "DROP_PROBABILITY", "LATENCY", "JITTER", "BANDWIDTH"}},
      {"[TRANSPORT_OUTBOUND]", {"USE_EMULATOR", "LATENCY", "JITTER", "BANDWIDTH"}},
      {"[TRANSPORT_OPTIONS]", {"TRAP_ICMPERRORS", "MAX_SILENCEDTIME"}},
      {"[VOICE_CHAT]", {"NOISE_LEVEL_TRESHOLD", "NOISE_LEVEL_SAMPLING", "NOISE_LEVEL_ACC_SEC", "NOISE_LEVEL_COEF",
                        "NOISE_LEVEL_ACC_MAX", "LEVEL_TO_RADIUS_IN_CM", "NOISE_LEVEL_LOW_MAX",
                        "NOISE_LEVEL_MED_MAX"}},
      {"[SIMULATION]", {"MAXFPS", "MINFPS"}},
      {"[LauncherResolutions]", {"res0", "res1", "res2", "res3", "res4", "res5"}},
      {"[BRIEFING]", Join({{"UseIt"}, Indexed("PersoName", 8), Indexed("PersoSpeech", 8)})},
      {"[AI]", {"VisibilityScale", "VisibilityOffset"}},
      {"", {"Discovery"}},  // the online service's section: its header is the game's own
      {"[WinDrv.WinJoystickMgr]", {"UseJoystick", "CurrentJoyProductID", "CurrentJoyVendorID"}},
  };
  const auto sections = Sections(PristineTemplate());
  ASSERT_EQ(sections.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const auto& [header, keys] = expected[i];
    if (!header.empty()) {
      EXPECT_EQ(sections[i].header, header);
    }
    if (keys.empty()) continue;
    std::vector<std::string> actual;
    for (const auto& line : sections[i].lines) actual.push_back(KeyOf(line));
    EXPECT_EQ(actual, keys) << "in " << sections[i].header;
  }
}

TEST(ConfigTemplate, RenderSectionsAndBindingValuesStandAsTheGameNeedsThem) {
  const auto sections = Sections(PristineTemplate());
  ASSERT_EQ(sections.size(), 25u);
  EXPECT_EQ(sections[7].lines,
            (std::vector<std::string>{
                "WindowedViewportX=640", "WindowedViewportY=480", "FullscreenViewportX=1024",
                "FullscreenViewportY=768", "TextureDetail=High", "SkinDetail=High", "Brightness=0.500000",
                "Contrast=0.500000", "Gamma=1.000000", "MipFactor=1.000000", "CaptureMouse=True",
                "StartupFullscreen=True", "ScreenFlashes=True", "NoLighting=False", "MinDesiredFrameRate=10.000000",
                "Decals=True", "NoDynamicLights=False", "SkinDetail=High", "TextureDetail=High",
                "NoFractalAnim=False", "ShadowQuality=2", "ShaderModel=1", "Anisotropy=1", "AntiAliasing=0",
                "Trilinear=1", "Specular=1", "ParallaxMapping=0", "HQSoftShadows=0", "HDR=0", "HiResTextures=1",
                "ToneMapping=0"}));
  EXPECT_EQ(sections[8].lines,
            (std::vector<std::string>{
                "Translucency=True", "UsePrecaching=True", "UseMipmapping=True", "UseTrilinear=True",
                "UseMultitexture=True", "UsePageFlipping=True", "UseFullscreen=False", "UseGammaCorrection=True",
                "UseTripleBuffering=True", "UsePrecache=True", "Use32BitTextures=True", "AdapterNumber=-1",
                "ReduceMouseLag=True", "UseTripleBuffering=False", "UseHWShadowMapping=False", "UseVSync=False"}));

  auto has = [&](size_t section, const std::string& line) {
    for (const auto& l : sections[section].lines)
      if (l == line) return true;
    return false;
  };
  EXPECT_TRUE(has(0, "EXEName=SplinterCell3.exe"));
  EXPECT_TRUE(has(2, "FirstRun=829"));
  EXPECT_EQ(sections[3].lines[0], "LogFlags=LNONE");
  EXPECT_EQ(sections[3].lines[1], ";LogFlags=LPLAYERCONTROLLER | LLEVEL2");
  EXPECT_EQ(sections[3].lines[14], "//DifficultyMode=NORMAL");
  const std::vector<std::string> paths(sections[5].lines.begin() + 4, sections[5].lines.begin() + 12);
  EXPECT_EQ(paths, (std::vector<std::string>{"Paths=..\\System\\*.u", "Paths=..\\Data\\Maps\\*.scl",
                                             "Paths=..\\Data\\Textures\\*.utx", "Paths=..\\Data\\Sounds\\*.uax",
                                             "Paths=..\\Data\\SoundsScript\\*.uax", "Paths=..\\Data\\Music\\*.umx",
                                             "Paths=..\\Data\\StaticMeshes\\*.usx",
                                             "Paths=..\\Data\\Animations\\*.ukx"}));
  EXPECT_EQ(sections[6].lines[1], "UseSound=True");
  EXPECT_EQ(sections[19].lines, (std::vector<std::string>{"MAXFPS=100", "MINFPS=10"}));
  EXPECT_EQ(sections[20].lines, (std::vector<std::string>{"res0=640x480", "res1=800x600", "res2=1024x768",
                                                          "res3=1280x720", "res4=1280x1024", "res5=1600x900"}));
}

TEST(ConfigTemplate, EverySearchTextOfAWriteStandsExactlyOnce) {
  for (const char* find : {"UseHWShadowMapping=False", "ShaderModel=1", "ParallaxMapping=0", "HQSoftShadows=0", "HDR=0",
                           "ToneMapping=0", "FullscreenViewportX=1024", "FullscreenViewportY=768"}) {
    int count = 0;
    for (const auto& line : PristineTemplate())
      if (text::EqualsNoCase(line, find)) ++count;
    EXPECT_EQ(count, 1) << find;
  }
}

TEST(TemplateCopy, ReplacesTheFirstWholeLineIgnoringCaseAndKeepsTheRest) {
  // "SkinDetail=High" stands twice in the render section: only the first one changes.
  TemplateCopy copy;
  EXPECT_TRUE(copy.Replace("skindetail=HIGH", "SkinDetail=Low"));
  const auto& lines = copy.Lines();
  ASSERT_EQ(lines.size(), PristineTemplate().size());
  std::vector<size_t> changed;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i] != PristineTemplate()[i]) changed.push_back(i);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(lines[changed[0]], "SkinDetail=Low");
  for (size_t i = 0; i < changed[0]; ++i) EXPECT_NE(PristineTemplate()[i], "SkinDetail=High");
  int left = 0;
  for (const auto& line : lines) left += line == "SkinDetail=High";
  EXPECT_EQ(left, 1);

  // A part of a line is no match, and a missing text changes nothing.
  EXPECT_FALSE(copy.Replace("ShaderModel", "x"));
  EXPECT_FALSE(copy.Replace("NoSuchKey=1", "x"));
  EXPECT_EQ(copy.Lines().size(), PristineTemplate().size());

  copy.Reset();
  EXPECT_EQ(copy.Lines(), PristineTemplate());
}

TEST(TemplateCopy, FileFormEndsEveryLineWithCrLf) {
  TemplateCopy copy;
  const std::string bytes = copy.FileBytes();
  EXPECT_EQ(bytes.substr(0, 7), "[URL]\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(bytes.find("\r\n\r\n\r\n"), std::string::npos);
  size_t crlf = 0;
  for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++crlf;
  EXPECT_EQ(crlf, 376u);
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);  // no bare LF before the first CR LF
}
