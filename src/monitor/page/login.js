"use strict";
// Sends code and password as JSON; the answer sets the session cookie.
document.getElementById("login-form").addEventListener("submit", async (event) => {
  event.preventDefault();
  const message = document.getElementById("login-message");
  message.textContent = "";
  const reply = await fetch("/api/login", {
    method: "POST",
    headers: { "Content-Type": "application/json" },
    body: JSON.stringify({
      code: document.getElementById("code").value,
      password: document.getElementById("password").value,
    }),
  });
  if (reply.ok) {
    window.location.assign("/");
    return;
  }
  const body = await reply.json().catch(() => ({}));
  message.textContent = body.error || "Não foi possível entrar";
  document.getElementById("password").value = "";
});
