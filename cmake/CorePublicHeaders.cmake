# The headers a program that uses the core needs, relative to src/: the values, the
# steps, the writers and the messages. Every header one of them includes is here too
# (checked by tests/layers/PublicHeaders.cmake); the rest stay inside the library.
set(TA_PUBLIC_HEADERS
  model/AngleConversions.h model/NumberText.h model/Records.h model/Refusal.h model/Traverse.h
  read/ImportText.h read/KnownPointFile.h read/ObservationFile.h read/ObservationReaders.h
  reduce/HeightDifferences.h reduce/KnownPoints.h reduce/Reduction.h reduce/TraverseShape.h
  adjust/Adjustment.h adjust/HeightAdjustment.h
  assess/AdjustedTraverse.h assess/ClosureStatistics.h assess/GradeLimits.h
  assess/HeightGrades.h assess/ObservationTests.h assess/Precision.h
  write/CalculationSheet.h write/CoordinateFiles.h write/HtmlReport.h write/PlotModel.h
  write/ReportSummary.h write/ResultsJson.h write/ResultsReport.h write/ResultsText.h
  write/SvgPlot.h write/TraverseResults.h
  resources/StringTable.h resources/Version.h
  platform/ReplaceFile.h
  network/Network.h network/NetworkAdjustment.h network/JoinNetwork.h network/LineClosures.h
  network/DuplicateObservations.h write/NetworkReport.h write/NetworkText.h write/NetworkJson.h
  write/NetworkHtml.h write/NetworkResults.h write/ObservationTestsText.h)
