#include "componentfactory.h"

void ComponentFactory::Register(const QUuid& classId, Creator creator) {
  creators_.insert(classId, std::move(creator));
}

void ComponentFactory::Unregister(const QUuid& classId) { creators_.remove(classId); }

bool ComponentFactory::IsRegistered(const QUuid& classId) const { return creators_.contains(classId); }

std::unique_ptr<Component> ComponentFactory::Create(const QUuid& classId) const {
  const auto it = creators_.constFind(classId);
  if (it == creators_.constEnd() || !*it) return nullptr;
  return (*it)();
}
