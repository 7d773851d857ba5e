// The module's string table: messages, grid headers and report headers by id,
// UTF-8 in memory. Ids 1 to 27 are the system's own; ids from 100 are messages we
// added. Placeholders "%1", "%2", ... are filled by FormatString.
#pragma once

#include "model/Refusal.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace traverse {

namespace str {
constexpr int kAdjustDone = 1;      // "导线平差已完成,请导出结果."
constexpr int kClosureTooLarge = 2; // azimuth closure of 50 or more
constexpr int kUseTableData = 3;    // Yes/No question before a recomputation
constexpr int kFirstGridHeader = 4; // 4..11: the eight observation columns
constexpr int kCannotOpenFile = 12;
constexpr int kImportFirst = 13;
constexpr int kBadObservations = 14;
constexpr int kCannotMultiply = 15;
constexpr int kCannotWriteReport = 16;
constexpr int kNotAdjusted = 17;
constexpr int kPointErrorTitle = 18;
constexpr int kPointErrorHeader = 19;
constexpr int kEllipseTitle = 20;
constexpr int kEllipseHeader = 21;
constexpr int kAdjCoordTitle = 22;
constexpr int kAdjCoordHeader = 23;
constexpr int kSideTitle = 24;
constexpr int kSideHeader = 25;
constexpr int kApproxCoordTitle = 26;
constexpr int kApproxCoordHeader = 27;

// Added messages. Ranges: 100-109 workspace, 110-129, 180-189 and 200-209 import,
// 130-139 and 250-259 adjustment, 140-149 export, 150-159 window, 160-179 and 210-229 batch tool,
// 190-199 results, 270-279 main window, 300-309 blunder tests, 310-319 the network's
// adjustment, 320-339 joining networks and their outputs.
constexpr int kEnterNumber = 100;         // the platform's prompt for a non-number edit
constexpr int kResultsOutdated = 101;     // the inputs changed since the adjustment
constexpr int kNoSectionChosen = 102;     // export with no section ticked
constexpr int kResultsOutdatedView = 103; // results window asked for after the inputs changed
// known points: %1 the group's heading
constexpr int kEnterKnownPoint = 104;      // a coordinate box of a used group is empty
constexpr int kKnownNameMismatch = 106;    // %2 the typed name, %3 the station's
constexpr int kKnownPointOutOfRange = 107; // %2 the name
constexpr int kKnownPointsCoincide = 108;  // %2 its name, %3 %4 the other, %5 why
constexpr int kReplaceFile = 109;          // Yes/No before a save replaces; %1 the file name

// export: %1 the report path, %2 the system's reason where there is one
constexpr int kReportWriteFailed = 140;    // writing the temporary file failed
constexpr int kCannotCreateReport = 141;   // the file cannot be made there
constexpr int kReportIsObservations = 142; // the target is the imported observation file
constexpr int kReportHardLinked = 143;     // the target has other hard links
constexpr int kReportStreamFailed = 144;   // writing a stream or device failed part-way
constexpr int kReportNotAFile = 145;       // a folder, pipe, socket or block device

// import: %1 file name, %2 line number, %3 detail unless noted
constexpr int kUnsupportedExtension = 110; // %1 file name
constexpr int kNameTooLong = 111;          // %3 the name
constexpr int kTooManyObservations = 112;
constexpr int kTooManyStations = 113;
constexpr int kBadNumber = 114;        // %3 the word in quotes, or empty
constexpr int kImplausibleSight = 115; // %3 station, %4 foresight, %5 vertical angle
constexpr int kBadCharacter = 116;
constexpr int kBinaryFile = 117;
constexpr int kLineTooLong = 118;
constexpr int kFileTooLarge = 119;         // %1 file name
constexpr int kNothingToImport = 120;      // %1 file name
constexpr int kMinutesOrSeconds = 121;     // %3 the packed angle
constexpr int kCircleOutOfRange = 122;     // %3 the angle or reading
constexpr int kZenithOutOfRange = 123;     // %3 the vertical angle
constexpr int kNotANumber = 124;           // %3 the word
constexpr int kMissingNumber = 125;        // %3 what is missing
constexpr int kWordsAfterTarget = 126;     // %3 the first word too many
constexpr int kUnsightedDataLine = 127;    // %3 the line's first word
constexpr int kSetupWithoutData = 128;     // %2 the station line, %3 station, %4 foresight
constexpr int kNotRegularFile = 129;       // %1 file name
constexpr int kBadDistance = 180;          // %3 the slope distance
constexpr int kConZenithOutOfRange = 181;  // %3, %4 the two faces' vertical readings
constexpr int kCrLineEnds = 182;           // %1 file name
constexpr int kImplausibleHeight = 183;    // %3 the instrument or target height
constexpr int kCannotOpenFileReason = 184; // %1 file name, %2 the system's reason
constexpr int kNameControlCharacter = 185; // %3 the name, control characters escaped
constexpr int kConMissingReading = 186;    // %3 the tag
constexpr int kConReadingNoNumber = 187;   // %3 the tag
constexpr int kConStationIncomplete = 188; // %3 what is missing
constexpr int kConGroupIncomplete = 189;   // %3 what is missing
constexpr int kConTargetHeightZero = 200;
constexpr int kNotUtf8 = 201;

// import: faces, encodings and known-point files (240-249); %1 file, %2 line unless noted
constexpr int kNotCp936 = 240; // bytes that are no code page 936 character
// two faces: %2 the station line, %3 the station, %4 face left, %5 face right,
// %6 the difference, %7 the tolerance
constexpr int kConFacesDisagree = 241;       // horizontal angles
constexpr int kConIndexError = 245;          // vertical readings of the foresight
constexpr int kBadFaceTolerance = 242;       // %1 the tolerance given (not a file's)
constexpr int kKnownFileTooLarge = 243;      // %1 the file, %2 the bound in MB
constexpr int kKnownFileTooManyFields = 244; // %3 the first field too many

// batch tool: usage errors and its own failures
constexpr int kBatchUnknownOption = 160;   // %1 the argument
constexpr int kBatchMissingValue = 161;    // %1 the option, %2 what it takes
constexpr int kBatchRepeatedOption = 162;  // %1 the option
constexpr int kBatchUnknownType = 163;     // %1 the type given
constexpr int kBatchBadPoint = 164;        // %1 the option, %2 the text given
constexpr int kBatchUnknownSection = 165;  // %1 the section given
constexpr int kBatchNeedsOption = 166;     // %1 the option, %2 why
constexpr int kBatchPointNotUsed = 167;    // %1 the option, %2 the type, %3 its points
constexpr int kBatchFileCount = 168;       // %1 how many files were given
constexpr int kBatchNoDevNull = 171;       // a standard stream is closed; %1 the reason
constexpr int kBatchUnknownGrade = 172;    // %1 the grade given
constexpr int kBatchUnknownEncoding = 173; // %1 the encoding given
constexpr int kBatchCoordsExtension = 174; // %1 the coordinate file named
constexpr int kBatchPlotExtension = 175;   // %1 the plot file named
constexpr int kBatchSameOutput = 176;      // %1, %2 the options, %3 the file
constexpr int kBatchGradeVerdict = 177;    // %1 the grade, %2 pass or fail
// batch tool, continued (210-229): outputs and known-point files
constexpr int kBatchOutputIsInput = 211;       // %1 the option, %2 the file
constexpr int kBatchTwoOnStandardOutput = 212; // %1, %2 the options
constexpr int kKnownFileLacksPoint = 213;      // %1 the file, %2 the group, %3 the name
constexpr int kKnownFileBadLine = 214;         // %1 the file, %2 the line, %3 why
constexpr int kKnownFileDuplicate = 215;       // %1 file, %2 line, %3 name, %4 other line
constexpr int kKnownFileExtension = 216;       // %1 the file
constexpr int kKnownFileEmpty = 217;           // %1 the file
constexpr int kBatchUnknownSummary = 218;      // %1 the form given
constexpr int kBatchSheetExtension = 219;      // %1 the calculation sheet named
constexpr int kBatchHtmlExtension = 220;       // %1 the HTML report named
constexpr int kBatchBadProject = 223;          // %1 the project's name, shown escaped
// outputs that stand or fall together (230-239)
constexpr int kBatchPartlyReplaced = 230; // %1 the file, %2 the reason, %3 files replaced
// results, continued: the grade's length limits
constexpr int kLengthLine = 221;   // %1 length, %2 limit (m), %3 the map scale's note, %4 verdict
constexpr int kMeanSideLine = 222; // %1 mean side, %2 limit (m), %3 verdict

// results: closure statistics against a grade's limits
constexpr int kGradePass = 190;
constexpr int kGradeFail = 191;
constexpr int kCustomGrade = 192;
constexpr int kAzimuthClosureLine = 193; // %1 f_beta, %2 limit, %3 coefficient, %4 n, %5 verdict
constexpr int kNoAzimuthConditionLine = 194; // %1 n
constexpr int kCoordinateClosureLine = 195;  // %1 fx, %2 fy, %3 fD (mm), %4 sum of sides (m)
constexpr int kRelativeClosureLine = 196;    // %1 K, %2 the limit's K, %3 verdict
constexpr int kSigma0Line = 197;             // %1 sigma0, %2 r
constexpr int kWeakestPointLine = 198;       // %1 the point, %2 M
constexpr int kPlotMagnification = 199;      // %1 the ellipses' magnification

// adjustment
constexpr int kNoConvergence = 130;        // %1 the number of rounds
constexpr int kNonFiniteResult = 131;      // a result that is not a finite number
constexpr int kAzimuthClosureOver50 = 132; // %1 f_beta in seconds, %2 what to check
constexpr int kGrossError = 133;           // %1 the closures, %2 the bound exceeded

// the traverse's shape and the core's own checks of its inputs (250-259)
constexpr int kClosedNotReturning = 250;  // %1 the last set-up, %2 start point 1, %3 the type shown
constexpr int kLoopNotOpen = 251;         // %1 the last set-up, the first station again
constexpr int kNoStartBacksight = 252;    // %1 the first station
constexpr int kShapeHint = 253;           // %1 the type the file's shape shows
constexpr int kUnknownTraverseType = 254; // %1 the value given
constexpr int kKeepKnownPoints = 255;     // Yes/No on import; %1 the names, "、" between
constexpr int kChainBroken = 256;         // %1 a set-up, %2 its foresight, %3 the next set-up
constexpr int kChainBackBroken = 257;     // %1 a set-up, %2 its backsight, %3 the set-up before

// heights (260-269, 280-289)
constexpr int kKnownHeightOutOfRange = 260; // %1 the group, %2 its name
constexpr int kNoZenithAngles = 261;        // every sight level: plane only
// %1 the file line, %2 the station, %3 its foresight, %4 which height, %5 the value
constexpr int kSightHeightMissing = 262;
constexpr int kSightHeightOutOfRange = 263;
constexpr int kBackZenithOutOfRange = 264;  // %1 line, %2 station, %4 its backsight, %5 zenith
constexpr int kHeightClosureTooLarge = 265; // %1 fh (mm)
constexpr int kBadRefraction = 266;         // %1 the coefficient given
constexpr int kHeightClosureLine =
    267; // %1 fh, %2 limit (mm), %3 coefficient, %4 ΣD km, %5 verdict
constexpr int kNoHeightCheckLine = 268; // %1 the known point heights are carried from
constexpr int kHeightErrorLine = 269;   // %1 μ per km, %2 the weakest point, %3 its error (mm)
constexpr int kReciprocalLine =
    280; // %1 sides, %2 the worst (mm), %3 its side, %4 its limit, %5 coefficient, %6 verdict
constexpr int kHeightsRefused = 281;          // %1 why (the refusal's message)
constexpr int kHeightGradeVerdict = 282;      // %1 the height grade, %2 pass or fail
constexpr int kBatchUnknownHeightGrade = 283; // %1 the grade given
constexpr int kBatchBadPointWithHeight = 284; // %1 the option, %2 the text given

// window
constexpr int kOutOfMemory = 150;        // memory ran out while the grid was sized
constexpr int kNoDisplay = 151;          // no graphical display to show the window on
constexpr int kNoWidgetApp = 152;        // the host's application object cannot show windows
constexpr int kCannotOpenDocument = 153; // report saved, no program opened it; %1 the path

// the instrument's precision and the tests for blunders (300-309)
constexpr int kBadInstrumentPrecision = 300; // %1 σβ (″), %2 a (mm), %3 b (ppm)
constexpr int kAngleBlunderHint = 301;  // %1 the station, %2 the correction (″), %3 fD after (mm)
constexpr int kSideBlunderHint = 302;   // %1 the side, %2 its length (m), %3 the angle off (°)
constexpr int kNearlyClosedNonOriented = 303; // %1 the gap (m), %2 the length (m)
constexpr int kBatchBadInstrument = 304;      // %1 --sigma-angle's value, %2 --sigma-distance's
constexpr int kSigma0PrioriLine = 305; // %1 sigma0 (no unit, 1 a priori), %2 r
constexpr int kInstrumentIncomplete = 306; // the window: one of σβ and a typed, not both

// traverse networks (310-319)
constexpr int kNetworkNoDatum = 310;        // %1 （the known point observed） or empty, %2 how many
constexpr int kNetworkUnreachable = 311;    // %1 the points, %2 how many
constexpr int kNetworkJunctionGap = 312;    // %1 the point, %2 the gap (m), %3 the bound (m)
constexpr int kNetworkSingular = 313;       // %1 the point whose coordinates are not fixed
constexpr int kNetworkBadObservation = 314; // %1 the file, %2 the line, %3 what is wrong

// the main window (270-279)
constexpr int kUseDecimalPoint = 270; // a number edit with a comma for the decimal point
constexpr int kExitUnsaved = 271;     // Yes/No on "退出" with an adjustment not yet saved
constexpr int kReportSaved = 272;     // %1 the report's path, after the export opened it
// "导入已知点…": %1 the file, %2 the names filled in, %3 the names the file lacks
constexpr int kKnownPointsFilled = 273;
constexpr int kKnownPointsPartlyFilled = 274;
constexpr int kKnownPointsNotFound = 275; // %2 the names looked up
constexpr int kKnownPointsNoNames = 276;  // no group has a name to look up

// the traverse network: joining files and its reports (320-339)
constexpr int kNetworkKnownTwice = 320;    // %1 the name, %2 %3 where each was given
constexpr int kNetworkFileApart = 321;     // %1 the file
constexpr int kNetworkNoKnownPoint = 322;  // no point of the files is known
// %1 file, %2 line, %3 station, %4 foresight, %5 which height, %6 its value
constexpr int kNetworkSightHeightMissing = 323;
constexpr int kNetworkSightHeightOutOfRange = 324;
constexpr int kNetworkBackZenithOutOfRange = 325; // %4 the backsight, %5 the zenith angle
// %1 the observation, %2 %3 first file and line, %4 %5 second, %6 difference, %7 its σ
constexpr int kNetworkDuplicate = 326;
constexpr int kNetworkDuplicateFlag = 327; // appended where over three σ
constexpr int kBatchBadNetworkPoint = 328; // %1 the text given to --point
constexpr int kBatchNetworkFileCount = 329; // no observation file given
constexpr int kBatchNotForNetwork = 330;    // %1 an option a network has no use for
constexpr int kNetworkJunctionLimit = 333; // the reduced length limit's note
constexpr int kNetworkHeader = 334;        // %1 lines, %2 angles, %3 sides
constexpr int kBatchFileTwice = 335;       // %1 the observation file given twice
// the network in the window (340-349)
constexpr int kNetworkAddFiles = 340;       // question: add to the network, or replace it
constexpr int kNetworkFileImported = 341;   // %1 the file already in the network
constexpr int kNetworkNameUnknown = 342;    // %1 a name no file of the network holds
constexpr int kNetworkNameMissing = 343;    // the name box is empty
constexpr int kNetworkCoordinateMissing = 344; // %1 the point, %2 X or Y
constexpr int kNetworkFilesDropped = 345;   // %1 how many files the network held
constexpr int kNetworkNotKnown = 346;       // %1 a point that has no coordinates to remove
constexpr int kNetworkKnownPointsFilled = 347; // %1 the file, %2 how many, %3 the points
constexpr int kNetworkKnownPointsNone = 348;   // %1 the file: no name of the network
} // namespace str

// The text of an id; empty for an unknown id.
std::string_view LoadString(int id);

// Whether the message of an id says that something was done (an information box), not
// what went wrong (a warning).
bool IsNotice(int id);

// The text of an id with %1, %2, ... replaced by the arguments in order.
std::string FormatString(int id, std::initializer_list<std::string_view> args);

// The message of a refusal: its text with its arguments in place.
std::string MessageText(const Refusal& refusal);

} // namespace traverse
