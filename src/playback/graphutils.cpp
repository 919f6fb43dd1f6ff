#include "graphutils.h"

#include "componentfactory.h"
#include "graph/graph.h"

namespace {
// Three failed pairs are enough to pass the splitter's two video pins on the way to its audio pin.
constexpr int kConnectAttempts = 3;
}  // namespace

int32_t AddFilterByClsid(Graph* graph, const ComponentFactory& factory, const QUuid& classId,
                         const QString& name, std::shared_ptr<Filter>* filter) {
  if (!graph || !filter) return hr::Pointer;
  std::unique_ptr<Filter> created = factory.CreateAs<Filter>(classId);
  if (!created) return hr::ClassNotRegistered;
  std::shared_ptr<Filter> shared(std::move(created));
  const int32_t r = graph->AddFilter(shared, name);
  if (hr::Failed(r)) return r;
  *filter = std::move(shared);
  return r;
}

int32_t ConnectFilters(Graph* graph, Filter* upstream, Filter* downstream) {
  if (!graph || !upstream || !downstream) return hr::Pointer;
  int failures = 0;
  for (Pin* out : upstream->Pins()) {
    if (out->Direction() != PinDirection::Output || out->ConnectedTo()) continue;
    for (Pin* in : downstream->Pins()) {
      if (in->Direction() != PinDirection::Input || in->ConnectedTo()) continue;
      if (failures >= kConnectAttempts) return hr::Fail;
      if (graph->Connect(out, in) == hr::Ok) return hr::Ok;
      ++failures;
    }
  }
  return hr::Fail;
}

int CountVideoStreams(Filter* splitter) {
  if (!splitter) return 0;
  int count = 0;
  for (Pin* p : splitter->Pins()) {
    if (p->Direction() != PinDirection::Output) continue;
    for (const MediaType& t : p->MediaTypes())
      if (t.major == mediatype::kVideo) ++count;
  }
  return count;
}

void RemoveAllFilters(Graph* graph) {
  if (!graph) return;
  for (Filter* f : graph->EnumFilters()) {
    bool connected = false;
    for (Pin* p : f->Pins()) connected = connected || p->ConnectedTo();
    if (connected) continue;
    if (hr::Failed(graph->RemoveFilter(f))) return;
  }
}
