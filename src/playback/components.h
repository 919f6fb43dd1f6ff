// Registration of the engine's components (graph manager, filters, decoders, the telemetry
// reader) with the component factory, by their class ids.
#pragma once

class ComponentFactory;

void RegisterPlaybackComponents(ComponentFactory& factory);
