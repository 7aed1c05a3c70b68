#pragma once

#include <string>

// A node of the navigator's tree control as the core sees it. The navigator
// implements it; a tree-node item tells its node about renames, icon changes
// and its own deletion through it.
class ITreeNode {
 public:
  virtual ~ITreeNode() = default;
  virtual void SetCaption(const std::string& caption) = 0;  // Windows-1252 bytes
  virtual void SetImageIndex(int index) = 0;
  virtual void SetSelectedIndex(int index) = 0;
  // Removes the node from its tree; the node may be destroyed by the call.
  virtual void Delete() = 0;
  // The record that ties the node to its item is freed without deleting the
  // node (its project is being closed): the node must not reach it again.
  virtual void ForgetRecord() {}
};
