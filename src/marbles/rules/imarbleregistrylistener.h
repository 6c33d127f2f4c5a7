// Told when a marble leaves the marble registry, so holders of marble pointers can drop them.
#ifndef TARN_MARBLES_RULES_IMARBLEREGISTRYLISTENER_H
#define TARN_MARBLES_RULES_IMARBLEREGISTRYLISTENER_H

namespace marbles {

class CMarble;

class IMarbleRegistryListener {
public:
    virtual ~IMarbleRegistryListener() = default;
    // marble is being destroyed and has just left the registry; it must not be used afterwards.
    virtual void OnMarbleRemoved(CMarble* marble) = 0;
};

}  // namespace marbles

#endif
