// The bulk-data step of the model-file command, free of windows: read a deck into the
// project's model and finish the model for display.
#pragma once

#include <string>

class CModelSet;
class COutputSink;

// ".d", ".dat" and ".bdf" in any letter case.
bool IsBulkDataFile(const std::string& path);

// Reads the deck and what it includes (messages to the sink), storing the deck's folder under
// "FileIOPaths"/"DAT" once the deck opened, then moves the nodes given in local systems, builds
// the element faces and marks the model's state. False when the deck cannot be opened, or when its
// ids, numbered after the model's, would pass the largest id: then the model is left as it was. A
// file from which no card was read, and elements naming nodes that no file defines, are reported to
// the sink.
bool ImportBulkFile(CModelSet& model, const std::string& path, COutputSink& sink);
