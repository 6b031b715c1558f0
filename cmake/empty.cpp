// Stands in for a tier that has no sources yet, so that its library target exists.
