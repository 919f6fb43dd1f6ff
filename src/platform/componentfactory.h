// Creation of the player's components by class id, the stand-in for in-process component
// creation: a class id that nobody registered cannot be created, which is how a missing decoder
// or reader shows up.
#pragma once

#include <QHash>
#include <QUuid>
#include <functional>
#include <memory>

// Root of every creatable component; callers cast to the interface they need.
class Component {
 public:
  virtual ~Component() = default;
};

class ComponentFactory {
 public:
  using Creator = std::function<std::unique_ptr<Component>()>;

  void Register(const QUuid& classId, Creator creator);
  void Unregister(const QUuid& classId);
  bool IsRegistered(const QUuid& classId) const;
  // Null when the class id is not registered (the platform's "class not registered").
  std::unique_ptr<Component> Create(const QUuid& classId) const;

  template <typename T>
  std::unique_ptr<T> CreateAs(const QUuid& classId) const {
    std::unique_ptr<Component> c = Create(classId);
    if (auto* typed = dynamic_cast<T*>(c.get())) {
      c.release();
      return std::unique_ptr<T>(typed);
    }
    return nullptr;
  }

 private:
  QHash<QUuid, Creator> creators_;
};

// Class ids of the components the engine creates.
namespace clsid {
inline const QUuid FilterGraph{"{E436EBB3-524F-11CE-9F53-0020AF0BA770}"};
inline const QUuid AsyncReader{"{E436EBB5-524F-11CE-9F53-0020AF0BA770}"};
inline const QUuid AviSplitter{"{1B544C20-FD0B-11CE-8C63-00AA0044B51E}"};
inline const QUuid VideoDecoder{"{2BD6A557-9A76-4DAF-805E-C1FA73C9CF0D}"};
inline const QUuid ColourConverter{"{1643E180-90F5-11CE-97D5-00AA0055595A}"};
inline const QUuid VideoMixingRenderer{"{B87BEB7B-8D29-423F-AE4D-6582C10175AC}"};
inline const QUuid DSoundRenderer{"{79376820-07D0-11CF-A24D-0020AFD79767}"};
inline const QUuid AacDecoder{"{6AC7C19E-8CA0-4E3D-9A9F-2881DE29E0AC}"};
inline const QUuid BrightnessFilter{"{16CC5240-AC7B-433F-B5D9-D3473C4F8505}"};
inline const QUuid TelemetryReader{"{046814AD-616F-4DF8-B600-0234759FF57F}"};
}  // namespace clsid
