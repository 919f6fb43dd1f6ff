// The helpers the play graph builds and takes down its graph with.
#pragma once

#include "graph/filter.h"

#include <QString>
#include <QUuid>
#include <memory>

class ComponentFactory;
class Graph;

// Creates the component and adds it to the graph under `name`; *filter is set only when the add
// succeeded. E_POINTER without a graph or an out-parameter.
int32_t AddFilterByClsid(Graph* graph, const ComponentFactory& factory, const QUuid& classId,
                         const QString& name, std::shared_ptr<Filter>* filter);

// Connects the first free output pin of `upstream` that will connect to a free input pin of
// `downstream`, trying at most three failing pairs in all; S_OK or E_FAIL.
int32_t ConnectFilters(Graph* graph, Filter* upstream, Filter* downstream);

// The number of video media types the splitter's output pins offer.
int CountVideoStreams(Filter* splitter);

// Removes the filters intelligent connect left behind: every filter without a connected pin.
void RemoveAllFilters(Graph* graph);
