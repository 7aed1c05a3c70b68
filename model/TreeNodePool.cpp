#include "model/TreeNodePool.h"

TTreeNodeItem* TTreeNodePool::AddNode(const TTreeNodeData& data) {
  auto* node = new TTreeNodeItem(this, data);
  Add(node);
  return node;
}

void TTreeNodePool::LoadOldFormat(const std::string&) {
  throw EQozError("Tree nodes are never stored");
}

void TTreeNodePool::LoadNewFormat(const std::string&) {
  throw EQozError("Tree nodes are never stored");
}
